// QL: the outliner. Starts the Qt application with Russian standard dialogs, the message boxes
// and the main window.
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "forms/message_box.h"
#include "forms/screenshot.h"
#include "forms/tree_form.h"
#include "platform/folders.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTranslator qtbase;
  if (qtbase.load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) app.installTranslator(&qtbase);
  ql::InstallQtMessageHandler();

  // QApplication has taken its own options out of argv.
  ql::TStartup startup;
  startup.progDir = ql::ProgramFolder();
  startup.args.assign(argv + 1, argv + argc);
  std::error_code ec;
  startup.workDir = std::filesystem::current_path(ec).string();

  try {
    ql::TTreeForm form(startup);
    form.show();
    ql::ScreenshotOnRequest(form);
    return app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "QL", QString::fromUtf8(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, "QL", QString());
  }
  return 1;
}
