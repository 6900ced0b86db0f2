#include "forms/file_windows.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/win_pos.h"
#include "platform/folders.h"
#include "session/settings.h"

namespace ql {

namespace {

constexpr const char* kFilter = "Quillet files  (*.qlt)";

std::string Text(const QLineEdit* e) { return e->text().toStdString(); }

}  // namespace

TFileWindowBase::TFileWindowBase(QWidget* parent, std::string iniPath, const char* posKey, const char* dialogTitle)
    : QDialog(parent), iniPath_(std::move(iniPath)), posKey_(posKey), dialogTitle_(dialogTitle) {
  setWindowFlag(Qt::Tool, true);
  setSizeGripEnabled(true);
  DirE = new QLineEdit(this);
  DirE->setObjectName("DirE");
  QPalette face = DirE->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  DirE->setPalette(face);
  FileE = new QLineEdit(this);
  FileE->setObjectName("FileE");
  FileE->setStyleSheet("QLineEdit { color: blue; font-weight: bold; }");
  DirBt = new QPushButton("...", this);
  DirBt->setObjectName("DirBt");
  DirBt->setAutoDefault(false);
  DirBt->setFixedWidth(DirBt->fontMetrics().horizontalAdvance("....") + 16);
  connect(DirBt, &QPushButton::clicked, this, [this] { DirBtClick(); });
}

TFileWindowBase::~TFileWindowBase() { SaveWinPos(*this, iniPath_, kMainSection, posKey_, false); }

void TFileWindowBase::LoadPosition() { LoadWinPos(*this, iniPath_, kMainSection, posKey_, false); }

void TFileWindowBase::BuildNameRows(QGridLayout* grid, const QString& fileLabel) {
  grid->addWidget(new QLabel("Папка", this), 0, 0);
  grid->addWidget(DirE, 0, 1);
  grid->addWidget(DirBt, 0, 2);
  grid->addWidget(new QLabel(fileLabel, this), 1, 0);
  grid->addWidget(FileE, 1, 1, 1, 2);
  grid->setColumnStretch(1, 1);
}

std::string TFileWindowBase::ResultPath() const { return FileWindowPath(Text(DirE), Text(FileE)); }

void TFileWindowBase::DirBtClick() {
  QFileDialog dialog(this, QString::fromUtf8(dialogTitle_), DirE->text(), kFilter);
  dialog.setDefaultSuffix("qlt");
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setSizeGripEnabled(true);
  if (!FileE->text().isEmpty()) dialog.selectFile(FileE->text() + ".qlt");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QFileInfo chosen(dialog.selectedFiles().first());
  DirE->setText(QString::fromStdString(NoTrailingSlash(chosen.absolutePath().toStdString())));
  FileE->setText(chosen.completeBaseName());
}

// ---------------------------------------------------------------- create-file window

TFileCrForm::TFileCrForm(QWidget* parent, std::string iniPath)
    : TFileWindowBase(parent, std::move(iniPath), "FileCrWinPos", "Создание файла") {
  setObjectName("FileCrForm");
  setWindowTitle("Создать файл");
  FileE->setText("Думник");
  OkBt = new QPushButton("Да", this);
  OkBt->setObjectName("OkBt");
  OkBt->setDefault(true);
  OkBt->setEnabled(false);
  CancelBt = new QPushButton("Отмена", this);
  CancelBt->setObjectName("CancelBt");
  CancelBt->setAutoDefault(false);

  auto* grid = new QGridLayout;
  BuildNameRows(grid, "Новый\nфайл");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OkBt);
  buttons->addWidget(CancelBt);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch(1);
  layout->addLayout(buttons);
  resize(460, 150);

  // Only the name decides the button; a folder edited by hand leaves it as it is.
  connect(FileE, &QLineEdit::textChanged, this, [this] { FileEChange(); });
  connect(OkBt, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);
  LoadPosition();
}

void TFileCrForm::FileEChange() { OkBt->setEnabled(CreateOkEnabled(Text(DirE), Text(FileE))); }

void TFileCrForm::Prepare(const std::string& folder) {
  DirE->setText(QString::fromStdString(NoTrailingSlash(folder)));
  FileE->clear();
  FileEChange();
  FileE->setFocus();
}

bool TFileCrForm::Ask(const std::string& folder, std::string& path) {
  Prepare(folder);
  if (exec() != QDialog::Accepted) return false;
  path = ResultPath();
  return true;
}

// ---------------------------------------------------------------- save-as window

TFileSAForm::TFileSAForm(QWidget* parent, std::string iniPath)
    : TFileWindowBase(parent, std::move(iniPath), "FileSAWinPos", "Сохранение файла") {
  setObjectName("FileSAForm");
  setWindowTitle("Сохранить как");
  auto makeButton = [this](const char* caption, const char* name, TSaveAsChoice choice) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setEnabled(false);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, choice] { RenameBtClick(choice); });
    return b;
  };
  RenameBt = makeButton("Переименовать", "RenameBt", TSaveAsChoice::Rename);
  ToNewBt = makeButton("Перейти на новый", "ToNewBt", TSaveAsChoice::CopyAndGo);
  CopyBt = makeButton("Остаться на старом", "CopyBt", TSaveAsChoice::CopyAndStay);
  CancelBt = new QPushButton("Отмена", this);
  CancelBt->setObjectName("CancelBt");
  CancelBt->setAutoDefault(false);
  connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);

  auto* grid = new QGridLayout;
  BuildNameRows(grid, "Файл");

  auto* renameRow = new QHBoxLayout;
  renameRow->addWidget(RenameBt);
  auto* renameNote = new QLabel("Сохраняется в новый файл, старый удаляется.", this);
  renameNote->setWordWrap(true);
  renameRow->addWidget(renameNote, 1);

  auto* copyBox = new QGroupBox("Копировать", this);
  auto* copyLayout = new QVBoxLayout(copyBox);
  auto* copyButtons = new QHBoxLayout;
  copyButtons->addWidget(ToNewBt);
  copyButtons->addWidget(CopyBt);
  copyButtons->addStretch(1);
  copyLayout->addLayout(copyButtons);
  auto* copyNote = new QLabel("В новый файл сохраняется новая версия, в старом остается старая.", copyBox);
  copyNote->setWordWrap(true);
  copyLayout->addWidget(copyNote);

  auto* cancelRow = new QHBoxLayout;
  cancelRow->addStretch(1);
  cancelRow->addWidget(CancelBt);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(renameRow);
  layout->addWidget(copyBox);
  layout->addStretch(1);
  layout->addLayout(cancelRow);
  resize(480, 250);

  connect(DirE, &QLineEdit::textChanged, this, [this] { FileEChange(); });
  connect(FileE, &QLineEdit::textChanged, this, [this] { FileEChange(); });
  LoadPosition();
}

void TFileSAForm::FileEChange() {
  const std::string dir = Text(DirE), name = Text(FileE);
  ToNewBt->setEnabled(target_.CopyEnabled(dir, name));
  CopyBt->setEnabled(target_.CopyEnabled(dir, name));
  RenameBt->setEnabled(target_.RenameEnabled(dir, name));
}

void TFileSAForm::RenameBtClick(TSaveAsChoice choice) {
  choice_ = choice;
  accept();
}

void TFileSAForm::Prepare(const std::string& folder, const std::string& name, bool editable) {
  target_ = TSaveAsTarget{NoTrailingSlash(folder), name, editable};
  choice_ = TSaveAsChoice::Rename;
  const QSignalBlocker blockDir(DirE), blockFile(FileE);
  DirE->setText(QString::fromStdString(target_.KeptDir));
  FileE->setText(QString::fromStdString(name));
  FileEChange();
  FileE->setFocus();
  FileE->selectAll();
}

bool TFileSAForm::Ask(const std::string& folder, const std::string& name, bool editable, std::string& path,
                      TSaveAsChoice& choice) {
  Prepare(folder, name, editable);
  if (exec() != QDialog::Accepted) return false;
  path = ResultPath();
  choice = choice_;
  return true;
}

}  // namespace ql
