#pragma once
// TSession: the main window's document state and file commands without widgets. It owns the
// document tree for its whole life (clearing it, never replacing it), the lock of the open
// document, the names derived from the document's folder and name, the recent list and the
// settings of section "0". The window binds its controls to the state here and hears about
// changes through TSessionHost.
//
// Failures show their message through base/message_hook.h where they are detected and leave the
// current document as it was.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/tree.h"
#include "platform/doc_file.h"
#include "session/doc_names.h"
#include "session/file_windows.h"
#include "session/recent_list.h"
#include "session/settings.h"
#include "storage/body_format.h"
#include "storage/document_io.h"

namespace ql {

class TStyleNames;

// What the session needs from the window around it. Every function has a do-nothing default,
// so tools and tests run a session without a window.
class TSessionHost {
 public:
  virtual ~TSessionHost() = default;
  // Where the grid stands (selected rows, top row), written into the header of a saved
  // document; without a grid the header as read is written back.
  virtual std::optional<TDocView> CurrentView() const { return std::nullopt; }
  // A document was read into the tree: select its rows and top row from the header, make the
  // grid active, refresh the counters.
  virtual void DocLoaded(const TDocHeader& /*header*/) {}
  // The tree was cleared or rebuilt: set the grid's rows anew, refresh the counters.
  virtual void TreeReset() {}
  // Editable or DocOpen changed.
  virtual void DocStateChanged() {}
  // The document name changed (file list selection, caption).
  virtual void NameChanged() {}
  // The characters counter has a new value.
  virtual void CharCountChanged(int64_t /*count*/) {}
  // The Ctrl key is held: choosing a document from the list starts another instance for it.
  virtual bool CtrlHeld() const { return false; }
  // Starts another instance of the program on the document (arguments without the program).
  virtual void StartInstance(const std::vector<std::string>& /*args*/) {}
  // The first start: register the file type of documents.
  virtual void RegisterFileType();
};

// Three states of the window.
enum class TDocState { None, ReadOnly, Editable };

// Modes of OpenPath.
enum class TOpenMode { Open = 0, OpenOrCreate = 1, Create = 2 };

class TSession {
 public:
  // progDir: the program folder with a trailing "/" (QL.ini, Temp/). The style table must
  // outlive the session; the caller hooks Tree.OnClear to drop its document-only styles.
  TSession(std::string progDir, TStyleNames& styles, TSessionHost* host = nullptr);
  ~TSession();
  TSession(const TSession&) = delete;
  TSession& operator=(const TSession&) = delete;

  TTTree Tree;
  TMainSettings Settings;
  TRecentList Recent;

  // Start-up: LoadSettings, then StartDocument.
  void Startup(const std::vector<std::string>& args, const std::string& workDir);
  // Reads section "0" into Settings. The window calls it first, since the display and the
  // placement need the settings before the document opens.
  void LoadSettings();
  // Handles "FirstCall", takes the document from the command line (arguments without the
  // program's name; relative paths against workDir) or from "Dir" and "File" (clearing Temp/
  // first), opens it, and fills the recent list. The window applies the display values, the window
  // position and the text width itself (first instance only).
  void StartDocument(const std::vector<std::string>& args, const std::string& workDir);
  // The node id the command line asked for, for the window to go to after start-up.
  std::optional<uint32_t> StartNodeId() const { return startNodeId_; }
  // Shutdown: saves the document when editable and releases its lock, writes the settings (the
  // window fills Settings.WinPosition and Settings.TextWidth first), clears Temp/.
  void Shutdown();

  // State.
  const TDocNames& Names() const { return names_; }
  const std::string& DocDir() const { return names_.DocDir; }
  const std::string& DocName() const { return names_.DocName; }
  const std::string& DocPath() const { return names_.DocPath; }
  const std::string& ProgDir() const { return names_.ProgDir; }
  const std::string& SettingsPath() const { return settingsPath_; }
  const std::string& TempDir() const { return tempDir_; }
  const std::string& Caption() const { return names_.Caption; }
  const std::string& RecentKey() const { return recentKey_; }
  bool Editable() const { return editable_; }
  bool DocOpen() const { return docOpen_; }
  bool LockHeld() const { return lock_.Held(); }
  TDocState State() const;
  // Hint of the delete button.
  const char* DeleteHint() const { return editable_ ? "Удалить файл" : "Закрыть файл"; }
  int64_t CharCount() const { return charCount_; }
  // The characters counter's text.
  std::string StatusText() const { return std::to_string(charCount_); }
  // The folder the open dialog and the create-file window start in: DocDir, or the program
  // folder (without trailing "/") when there is none.
  std::string DocumentsFolder() const;
  // What the save-as window is given: the document's folder, name and whether it may be changed.
  TSaveAsTarget SaveAsTarget() const { return {names_.FileDir, names_.DocName, editable_}; }
  // Counts again (a click on the counter, after a substitution).
  int64_t UpdateCharCount();

  // Makes `name` the document name in the current DocDir and writes "Dir" and "File" at once
  // (unless the document lies in Temp/; an empty value deletes the key).
  void SetDocName(const std::string& name);
  // Sets the folder of the next SetDocName / CreateDoc (empty = the program folder).
  void SetDocDir(const std::string& folder) { names_.DocDir = folder; }
  // Switches between the three states; entering "no document" also empties the name.
  void SetDocState(bool editable, bool docOpen);

  // Reads and shows the document at path; editable exactly when its lock was obtained. False
  // (the current document untouched) when it cannot be read.
  bool LoadDoc(const std::string& path, bool messages);
  // Writes the document to DocPath. An automatic save (explicit false) writes nothing when the
  // bytes equal those last read or written and the file exists; an explicit one always writes.
  bool SaveDoc(bool explicitSave);
  // Switches to the document `name` in `folder`, or reverts when it is the current one (asking
  // first when editable). With allowNewInstance and Ctrl held, another instance opens it.
  // True when the document is now the one shown.
  bool OpenDoc(const std::string& folder, const std::string& name, bool allowNewInstance);
  // Opens or creates a document given by its full path (see TOpenMode).
  bool OpenPath(const std::string& path, TOpenMode mode);
  // Makes a new empty document `name` in DocDir and saves it.
  bool CreateDoc(const std::string& name);
  // Leaves the document (saving it when editable) for the no-document state.
  bool CloseDoc();
  // The delete button: asks and deletes the file and its attachment folder when editable; a
  // read-only document is only closed. Both drop it from the recent list.
  bool DeleteOrClose();
  // Save as, after the save-as window returned the new path and the choice.
  bool SaveAs(const std::string& newPath, TSaveAsChoice choice);
  // The file list's change and revert: a name opens (or reverts) it, the empty item closes the
  // document.
  void ChooseFile(const std::string& text);
  // The items of the file list box for the current folder.
  std::vector<std::string> FileListItems() const;
  // Opens the recent entry at index (as in Recent.Menu()).
  bool OpenRecent(size_t index);

  void AddRecent();
  void DropRecent(const std::string& entry);

 private:
  // Saves the document when editable and releases its lock, leaving it not editable. False
  // when the save failed: then nothing changed.
  bool LeaveDoc();
  // The automatic save of an editable document; true when there is nothing to save.
  bool SaveIfEditable();
  void ResetTree();

  TStyleNames& styles_;
  TSessionHost* host_;
  TSessionHost defaultHost_;
  TDocNames names_;
  std::string settingsPath_;
  std::string tempDir_;
  std::string recentKey_;
  bool editable_ = true;
  bool docOpen_ = true;
  TFileLock lock_;
  int64_t charCount_ = 0;
  std::optional<uint32_t> startNodeId_;
  TDocView view_;  // the header of the document as read (a new document: zeros)
};

}  // namespace ql
