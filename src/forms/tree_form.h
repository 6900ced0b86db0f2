#pragma once
// TTreeForm: the main window. It binds the session (document state and file commands, settings
// of section "0") to its controls: the file list, the file buttons, the recent-files menu, the
// characters counter and the tree grid with its cell painter. Start-up runs in the constructor,
// shutdown when the window closes (or is destroyed without closing).
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "session/session.h"
#include "gtree/cell_painter.h"
#include "gtree/gtree.h"
#include "platform/instance_lock.h"
#include "storage/style_table_names.h"
#include "styles/styles.h"

class QMenu;
class QToolButton;

namespace ql {

class TClickLabel;
class TDropList;
class TFileCrForm;
class TFileSAForm;
class TShortcutFilter;

struct TStartup {
  std::string progDir;             // the program folder, with trailing "/"
  std::vector<std::string> args;   // command-line arguments without the program's name
  std::string workDir;             // relative command-line paths are taken against it
};

class TTreeForm : public QMainWindow, private TSessionHost {
  Q_OBJECT

 public:
  explicit TTreeForm(const TStartup& startup, QWidget* parent = nullptr);
  ~TTreeForm() override;

  TSession& Session() { return *session_; }
  const TSession& Session() const { return *session_; }
  bool FirstInstance() const { return firstInstance_; }
  // Width of the tree side ("TextWidth"), restored by the first instance.
  int TextWidth() const { return textWidth_; }
  bool RightDrag() const { return rightDrag_; }

  // Controls.
  TGTree* Grid = nullptr;
  TDropList* FileCB = nullptr;
  QToolButton* RecentIm = nullptr;
  QToolButton* OpenBt = nullptr;
  QToolButton* NewFileBt = nullptr;
  QToolButton* SaveBt = nullptr;
  QToolButton* SaveAsBt = nullptr;
  QToolButton* RefreshBt = nullptr;
  QToolButton* DelFileBt = nullptr;
  TClickLabel* StatL = nullptr;
  TFileCrForm* FileCrForm = nullptr;
  TFileSAForm* FileSAForm = nullptr;
  TShortcutFilter* Shortcuts = nullptr;

  // Applies the colours and fonts of the settings to the grid and the style table.
  void ApplyDisplay();
  // Commands (the buttons and their keys call these).
  void SaveBtClick();
  void RefreshBtClick();
  void DelFileBtClick();
  void OpenBtClick();
  void NewFileBtClick();
  void SaveAsBtClick();
  // The outcome of the open dialog, the create-file and the save-as windows.
  void OpenChosen(const std::string& path);
  void NewFileChosen(const std::string& path);
  void SaveAsChosen(const std::string& path, TSaveAsChoice choice);
  // The recent-files menu as it would open now (owned by the window).
  QMenu* RecentMenu();
  // Saves when editable, writes the settings and window positions, clears Temp/. Runs once.
  void Shutdown();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  // TSessionHost
  std::optional<TDocView> CurrentView() const override;
  void DocLoaded(const TDocHeader& header) override;
  void TreeReset() override;
  void DocStateChanged() override;
  void NameChanged() override;
  void CharCountChanged(int64_t count) override;
  bool CtrlHeld() const override;
  void StartInstance(const std::vector<std::string>& args) override;

  void BuildControls();
  void SetupGrid();
  void AddActions();
  void ShowFileName();
  void FillFileList();
  void FileCBChange(int index);
  void ShowRecentMenu();
  void TimerTick();

  std::string progDir_;
  TStyles& styles_;
  TStyleTableNames styleNames_;
  std::unique_ptr<TSession> session_;
  TCellPainter painter_;
  TInstanceLock instance_;
  bool firstInstance_ = false;
  int textWidth_ = 400;
  bool rightDrag_ = false;
  bool shutDown_ = false;
  QTimer timer_;
  QMenu* recentMenu_ = nullptr;
  // The base fonts last given to the style table; empty before the first ApplyDisplay.
  std::optional<TBaseFont> nodeFont_, textFont_;
  TColor nodeFontBk_ = 0, textFontBk_ = 0;
};

}  // namespace ql
