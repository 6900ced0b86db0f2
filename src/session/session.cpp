#include "session/session.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/message_hook.h"
#include "base/profile.h"
#include "platform/file_type.h"
#include "platform/folders.h"
#include "session/file_list.h"
#include "storage/doc_folders.h"

namespace ql {

namespace {

bool FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool RemoveFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::remove(path, ec) && !ec;
}

}  // namespace

void TSessionHost::RegisterFileType() {
  const std::string exe = ExecutablePath();
  if (!exe.empty()) ql::RegisterFileType("qlt", exe);
}

TSession::TSession(std::string progDir, TStyleNames& styles, TSessionHost* host)
    : styles_(styles), host_(host ? host : &defaultHost_) {
  if (progDir.empty() || progDir.back() != '/') progDir += '/';
  names_.ProgDir = std::move(progDir);
  names_.Update();
  settingsPath_ = names_.ProgDir + "QL.ini";
  tempDir_ = names_.ProgDir + "Temp/";
}

TSession::~TSession() = default;

TDocState TSession::State() const {
  if (!docOpen_) return TDocState::None;
  return editable_ ? TDocState::Editable : TDocState::ReadOnly;
}

int64_t TSession::UpdateCharCount() {
  charCount_ = Tree.CharCount();
  host_->CharCountChanged(charCount_);
  return charCount_;
}

void TSession::SetDocName(const std::string& name) {
  names_.DocName = name;
  names_.Update();
  if (!names_.InTemp()) {
    TProfile ini;
    ini.Load(settingsPath_);
    for (const auto& [key, value] : {std::pair{"File", &names_.FileValue}, std::pair{"Dir", &names_.DirValue}}) {
      if (value->empty()) {
        ini.DeleteKey(kMainSection, key);
      } else {
        ini.SetString(kMainSection, key, *value);
      }
    }
    ini.Save(settingsPath_);
  }
  host_->NameChanged();
}

void TSession::SetDocState(bool editable, bool docOpen) {
  const bool closing = docOpen_ && !docOpen;
  editable_ = editable;
  docOpen_ = docOpen;
  if (closing) SetDocName({});
  host_->DocStateChanged();
}

void TSession::ResetTree() {
  Tree.Clear();
  Tree.Relink();
  view_ = {};
  host_->TreeReset();
}

bool TSession::LoadDoc(const std::string& path, bool messages) {
  std::vector<uint8_t> bytes;
  TFileLock newLock;
  if (!ReadDoc(path, messages, bytes, newLock)) return false;
  TDocHeader header;
  if (!ReadDocument(std::move(bytes), path, messages, Tree, styles_, &header)) return false;
  lock_ = std::move(newLock);
  view_ = {header.selTop, header.selBottom, header.topRow};
  SetDocState(lock_.Held(), true);
  host_->DocLoaded(header);
  UpdateCharCount();
  return true;
}

bool TSession::SaveDoc(bool explicitSave) {
  if (names_.DocPath.empty()) return false;
  const TDocView view = host_->CurrentView().value_or(view_);
  std::vector<uint8_t> bytes = SerializeDocument(Tree, view, styles_);
  if (!explicitSave && bytes.size() == static_cast<size_t>(Tree.ImageLen) &&
      Tree.Image.size() >= bytes.size() &&
      (bytes.empty() || std::memcmp(bytes.data(), Tree.Image.data(), bytes.size()) == 0) &&
      FileExists(names_.DocPath)) {
    return true;
  }
  const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // The bytes become the image only once they are in the file: after a failed save the next
  // automatic save tries again instead of taking the unsaved edits for saved.
  if (!WriteDoc(names_.DocPath, data, lock_)) return false;
  view_ = view;
  Tree.ImageLen = static_cast<int32_t>(bytes.size());
  Tree.Image = std::move(bytes);
  return true;
}

bool TSession::SaveIfEditable() { return !editable_ || names_.DocPath.empty() || SaveDoc(false); }

bool TSession::LeaveDoc() {
  if (!SaveIfEditable()) return false;
  lock_.Close();
  editable_ = false;
  return true;
}

bool TSession::OpenDoc(const std::string& folder, const std::string& name, bool allowNewInstance) {
  const std::string path = DocPathOf(names_.ProgDir, folder, name);
  if (allowNewInstance && host_->CtrlHeld()) {
    host_->StartInstance({path});
    return false;
  }
  const bool reverting = path == names_.DocPath;
  const bool wasEditable = editable_;
  if (reverting) {
    if (editable_ && !AskOkCancel("Вернуться?", "Вернуться к сохраненому в файле?")) return false;
    lock_.Close();  // the re-read takes the lock again
  } else if (!SaveIfEditable()) {
    return false;  // the edits could not be saved: stay on them
  }
  if (!LoadDoc(path, true)) {
    // A failed revert has already given up the lock: the document stays shown, read-only.
    if (reverting && wasEditable) SetDocState(false, true);
    SetDocName(names_.DocName);
    return false;
  }
  names_.DocDir = folder;
  SetDocName(name);
  AddRecent();
  return true;
}

bool TSession::OpenPath(const std::string& path, TOpenMode mode) {
  const bool exists = FileExists(path);
  const bool folderExists = FolderExists(AttachFolderName(path));
  std::string folder, name;
  SplitDocPath(path, names_.ProgDir, folder, name);
  if (exists && mode != TOpenMode::Create) {
    OpenDoc(folder, name, false);
    return true;
  }
  if (mode == TOpenMode::Open) {
    ShowError("Файла не существует", path);
    return false;
  }
  if ((exists || folderExists) && !AskOkCancel("Файл или папка существует! Удалить и создать новый?", path)) {
    return false;
  }
  const bool own = lock_.Held() && SamePath(path, names_.DocPath);
  if (exists && !own) {
    // A document another instance holds (or a read-only one) is not deleted under it.
    std::vector<uint8_t> bytes;
    TFileLock probe;
    if (ReadDoc(path, false, bytes, probe) && !probe.Held()) {
      ShowWarning(kAlreadyOpen, path);
      return false;
    }
  }
  if (!LeaveDoc()) return false;
  if (exists && !RemoveFile(path)) {
    SetDocState(false, docOpen_);
    ShowWarning(kAlreadyOpen, path);
    return false;
  }
  if (folderExists) ClearFolder(AttachFolder(path), true, true);
  names_.DocDir = folder;
  return CreateDoc(name);
}

bool TSession::CreateDoc(const std::string& name) {
  if (!LeaveDoc()) return false;
  SetDocName(name);
  AddRecent();
  ResetTree();
  SetDocState(true, true);
  if (!SaveDoc(false)) {
    // The document does not exist: nothing to show.
    DropRecent(recentKey_);
    recentKey_.clear();
    SetDocState(false, false);
    UpdateCharCount();
    return false;
  }
  UpdateCharCount();
  return true;
}

bool TSession::CloseDoc() {
  if (!SaveIfEditable()) return false;
  recentKey_.clear();
  ResetTree();
  SetDocState(false, false);
  lock_.Close();
  SetDocName({});
  UpdateCharCount();
  return true;
}

bool TSession::DeleteOrClose() {
  if (!docOpen_) return false;
  if (editable_) {
    if (!AskOkCancel("Удалить?", "Удалить файл?")) return false;
    lock_.Close();
    RemoveFile(names_.DocPath);
    ClearFolder(names_.AttachDir, true, true);
  }
  DropRecent(recentKey_);
  recentKey_.clear();
  ResetTree();
  SetDocState(false, false);
  lock_.Close();
  UpdateCharCount();
  return true;
}

bool TSession::SaveAs(const std::string& newPath, TSaveAsChoice choice) {
  if (!docOpen_ || (choice == TSaveAsChoice::Rename && !editable_)) return false;
  const std::string newAttach = AttachFolder(newPath);
  const std::string oldAttach = names_.AttachDir;
  const std::string oldKey = recentKey_;
  if ((FileExists(newPath) || FolderExists(AttachFolderName(newPath))) &&
      !AskOkCancel("Такой файл или папка уже есть! Сохранить все равно?", newPath)) {
    return false;
  }
  std::string folder, name;
  SplitDocPath(newPath, names_.ProgDir, folder, name);
  auto switchTo = [&] {
    names_.DocDir = folder;
    SetDocName(name);
    AddRecent();
    SetDocState(lock_.Held(), true);
  };

  if (editable_) {
    TFileLock oldLock = std::move(lock_);
    const std::string oldPath = names_.DocPath;
    names_.DocPath = newPath;
    if (!SaveDoc(true)) {
      lock_ = std::move(oldLock);
      names_.DocPath = oldPath;
      return false;
    }
    switch (choice) {
      case TSaveAsChoice::Rename:
        oldLock.Close();
        RemoveFile(oldPath);
        names_.DocDir = folder;
        SetDocName(name);
        DropRecent(oldKey);
        AddRecent();
        SetDocState(lock_.Held(), true);
        break;
      case TSaveAsChoice::CopyAndGo:
        oldLock.Close();
        switchTo();
        break;
      case TSaveAsChoice::CopyAndStay:
        lock_ = std::move(oldLock);
        names_.DocPath = oldPath;
        break;
    }
  } else {
    // Read-only: the copy is the file as it was read.
    const std::string_view image(reinterpret_cast<const char*>(Tree.Image.data()), Tree.Image.size());
    TFileLock newLock;
    if (!WriteDoc(newPath, image, newLock)) return false;
    if (choice == TSaveAsChoice::CopyAndGo) {
      lock_ = std::move(newLock);
      switchTo();
    }
  }

  const bool copy = choice != TSaveAsChoice::Rename;
  if (!CarryAttachments(oldAttach, newAttach, copy)) {
    ShowError(copy ? "Не получилось копировать папку с прикрепленными файлами!"
                   : "Не получилось переместить папку с прикрепленными файлами!",
              NoTrailingSlash(newAttach));
  }
  return true;
}

void TSession::ChooseFile(const std::string& text) {
  if (text.empty()) {
    CloseDoc();
    return;
  }
  OpenDoc(names_.DocDir, text, true);
  host_->NameChanged();  // the list shows DocName again when nothing was opened
}

std::string TSession::DocumentsFolder() const {
  return names_.DocDir.empty() ? NoTrailingSlash(names_.ProgDir) : names_.DocDir;
}

std::vector<std::string> TSession::FileListItems() const {
  return DocumentNames(names_.DocDir.empty() ? names_.ProgDir : names_.DocDir);
}

bool TSession::OpenRecent(size_t index) {
  if (index >= Recent.Items().size()) return false;
  std::string folder, name;
  if (!RecentTarget(Recent.Items()[index], names_.ProgDir, folder, name)) return false;
  return OpenDoc(folder, name, true);
}

void TSession::AddRecent() {
  if (names_.DocName.empty() || names_.InTemp()) return;
  recentKey_ = names_.RecentEntry();
  Recent.Add(recentKey_);
}

void TSession::DropRecent(const std::string& entry) { Recent.Drop(entry); }

}  // namespace ql
