// Start-up and shutdown of the session: the parts of the main window's construction and
// destruction that concern settings and documents.
#include "base/profile.h"
#include "platform/folders.h"
#include "session/command_line.h"
#include "session/session.h"

namespace ql {

void TSession::Startup(const std::vector<std::string>& args, const std::string& workDir) {
  LoadSettings();
  StartDocument(args, workDir);
}

void TSession::LoadSettings() {
  TProfile ini;
  ini.Load(settingsPath_);
  Settings.Load(ini);
}

void TSession::StartDocument(const std::vector<std::string>& args, const std::string& workDir) {
  if (IsFirstCall(Settings.FirstCall)) {
    Settings.FirstCall = "0";
    WritePrivateProfileString(kMainSection, "FirstCall", "0", settingsPath_);
    host_->RegisterFileType();
  }

  bool named = false;
  startNodeId_.reset();
  if (!args.empty()) {
    const TCommandLine cl = ParseCommandLine(JoinArguments(args));
    if (HasQltExtension(cl.Path)) {
      const std::string path = AbsolutePath(cl.Path, workDir);
      const size_t slash = path.rfind('/');
      const std::string folder = path.substr(0, slash + 1);
      const std::string file = path.substr(slash + 1);
      names_.DocName = file.substr(0, file.size() - 4);
      // Empty when spelled exactly as the program folder; the root keeps its "/".
      if (folder == names_.ProgDir) {
        names_.DocDir.clear();
      } else {
        names_.DocDir = folder.size() > 1 ? folder.substr(0, folder.size() - 1) : folder;
      }
      startNodeId_ = cl.NodeId;
      named = true;
    }
  }
  if (!named) {
    // A document named on the command line may lie in Temp/: only clear it otherwise.
    ClearFolder(tempDir_, true, true);
    std::string dir = Settings.Dir;
    if (!dir.empty() && dir[0] == ':') dir = names_.ProgDir + dir.substr(1);
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    names_.DocDir = dir;
    names_.DocName = Settings.File;
  }
  SetDocName(names_.DocName);

  if (names_.DocName.empty() || !LoadDoc(names_.DocPath, true)) {
    startNodeId_.reset();
    ResetTree();
    SetDocState(false, false);
    UpdateCharCount();
  }

  Recent.Assign(Settings.Files);
  AddRecent();
}

void TSession::Shutdown() {
  SaveIfEditable();
  lock_.Close();
  Settings.Files = Recent.Items();
  Settings.Dir = names_.DirValue;
  Settings.File = names_.FileValue;
  TProfile ini;
  ini.Load(settingsPath_);
  Settings.Save(ini);
  ini.Save(settingsPath_);
  ClearFolder(tempDir_, true, true);
}

}  // namespace ql
