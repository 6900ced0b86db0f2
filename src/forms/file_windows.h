#pragma once
// The create-file window ("Создать файл") and the save-as window ("Сохранить как"): small modal
// windows that ask for a folder and a document name and return the full path ending in ".qlt".
// What is done with the path is the main window's business. Both keep their placement in QL.ini,
// section "0" ("FileCrWinPos", "FileSAWinPos"), read at construction and written when destroyed.
#include <QDialog>
#include <string>

#include "session/file_windows.h"

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace ql {

// Shared by both windows: the folder and name boxes and the "..." picker.
class TFileWindowBase : public QDialog {
  Q_OBJECT

 public:
  QLineEdit* DirE = nullptr;
  QLineEdit* FileE = nullptr;
  QPushButton* DirBt = nullptr;

  // The path of the texts typed (folder and name without leading blanks, ".qlt" appended).
  std::string ResultPath() const;

 protected:
  TFileWindowBase(QWidget* parent, std::string iniPath, const char* posKey, const char* dialogTitle);
  ~TFileWindowBase() override;
  // Builds the folder and name rows into the window's layout.
  void BuildNameRows(QGridLayout* grid, const QString& fileLabel);
  // The picker: a file dialog starting at the folder box with the name box + ".qlt"; the chosen
  // file's folder and name go into the boxes.
  void DirBtClick();
  void LoadPosition();

  std::string iniPath_;
  const char* posKey_;
  const char* dialogTitle_;
};

class TFileCrForm : public TFileWindowBase {
  Q_OBJECT

 public:
  TFileCrForm(QWidget* parent, std::string iniPath);

  QPushButton* OkBt = nullptr;
  QPushButton* CancelBt = nullptr;

  // Fills the boxes for a new question: the folder (without trailing "/"), an empty name.
  void Prepare(const std::string& folder);
  // Asks modally; true with the path when confirmed.
  bool Ask(const std::string& folder, std::string& path);

 private:
  void FileEChange();
};

class TFileSAForm : public TFileWindowBase {
  Q_OBJECT

 public:
  TFileSAForm(QWidget* parent, std::string iniPath);

  QPushButton* RenameBt = nullptr;
  QPushButton* ToNewBt = nullptr;
  QPushButton* CopyBt = nullptr;
  QPushButton* CancelBt = nullptr;

  void Prepare(const std::string& folder, const std::string& name, bool editable);
  // Asks modally; true with the path and the choice when one of the three buttons was pressed.
  bool Ask(const std::string& folder, const std::string& name, bool editable, std::string& path,
           TSaveAsChoice& choice);
  TSaveAsChoice Choice() const { return choice_; }

 private:
  void FileEChange();
  void RenameBtClick(TSaveAsChoice choice);

  TSaveAsTarget target_;
  TSaveAsChoice choice_ = TSaveAsChoice::Rename;
};

}  // namespace ql
