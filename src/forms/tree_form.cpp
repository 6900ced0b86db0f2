#include "forms/tree_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenu>
#include <QProcess>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/cp1251.h"
#include "base/profile.h"
#include "forms/controls.h"
#include "forms/file_windows.h"
#include "forms/shortcut_filter.h"
#include "forms/win_pos.h"
#include "gtree/qt_measure.h"
#include "session/command_line.h"

namespace ql {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The window's designed size and tree side, kept by instances that do not restore them.
constexpr int kDesignedWidth = 900, kDesignedHeight = 640, kDesignedTextWidth = 400;

}  // namespace

TTreeForm::TTreeForm(const TStartup& startup, QWidget* parent)
    : QMainWindow(parent),
      progDir_(startup.progDir),
      styles_(TStyles::Global()),
      styleNames_(styles_),
      session_(std::make_unique<TSession>(startup.progDir, styleNames_, static_cast<TSessionHost*>(this))),
      painter_(session_->Tree, styles_) {
  setObjectName("TreeForm");
  resize(kDesignedWidth, kDesignedHeight);
  session_->Tree.OnClear = [this] { styles_.DropDocStyles(); };
  BuildControls();
  AddActions();

  // Settings first: the display and the placement need them before the document opens.
  session_->LoadSettings();
  // The style table measures with the Qt fonts, so the measurer comes before the table.
  InstallQtMeasuring();
  styles_.Load(progDir_);

  // Only the first running instance restores the placement and the tree side.
  firstInstance_ = instance_.Acquire();
  if (firstInstance_) {
    ApplyWinPos(*this, session_->Settings.WinPosition, false);
    textWidth_ = EffectiveTextWidth(session_->Settings.TextWidth);
  } else {
    textWidth_ = kDesignedTextWidth;
  }

  SetupGrid();
  ApplyDisplay();
  // "FirstCall", the command line or the last document, the recent list.
  session_->StartDocument(startup.args, startup.workDir);
  DocStateChanged();
  NameChanged();

  connect(&timer_, &QTimer::timeout, this, [this] { TimerTick(); });
  timer_.start(200);
}

TTreeForm::~TTreeForm() {
  Shutdown();
  // The controls outlive this part of the window (QWidget deletes them later): nothing of theirs
  // may call back into it or reach the tree and the painter.
  qApp->removeEventFilter(Shortcuts);
  FileCB->OnDropDown = nullptr;
  FileCB->OnCloseUp = nullptr;
  StatL->OnClick = nullptr;
  Grid->OnDrawCell = nullptr;
  Grid->OnGetRowH = nullptr;
  Grid->Attach(nullptr);
  disconnect(FileCB, nullptr, this, nullptr);
}

// ---------------------------------------------------------------- construction

void TTreeForm::BuildControls() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(2);

  auto* top = new QWidget(central);
  top->setObjectName("TopP");
  auto* row = new QHBoxLayout(top);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);

  auto button = [&](const char* name, QStyle::StandardPixmap icon, const char* hint) {
    auto* b = new QToolButton(top);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(icon));
    b->setToolTip(QString::fromUtf8(hint));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };

  FileCB = new TDropList(top);
  FileCB->setObjectName("FileCB");
  FileCB->setMinimumWidth(220);
  FileCB->setMaxVisibleItems(10000);
  FileCB->setStyleSheet("QComboBox { color: blue; font-weight: bold; }");
  FileCB->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  FileCB->OnDropDown = [this] { FillFileList(); };
  FileCB->OnCloseUp = [this] {
    if (Grid->isVisible()) Grid->setFocus();
  };
  connect(FileCB, &QComboBox::activated, this, [this](int index) { FileCBChange(index); });

  RecentIm = button("RecentIm", QStyle::SP_FileDialogDetailedView, "Последние файлы");
  connect(RecentIm, &QToolButton::pressed, this, [this] { ShowRecentMenu(); });
  OpenBt = button("OpenBt", QStyle::SP_DialogOpenButton, "Открыть файл (Ctrl+O)");
  connect(OpenBt, &QToolButton::clicked, this, [this] { OpenBtClick(); });
  NewFileBt = button("NewFileBt", QStyle::SP_FileIcon, "Новый файл");
  connect(NewFileBt, &QToolButton::clicked, this, [this] { NewFileBtClick(); });
  SaveBt = button("SaveBt", QStyle::SP_DialogSaveButton, "Сохранить (F2 или Ctrl+S)");
  connect(SaveBt, &QToolButton::clicked, this, [this] { SaveBtClick(); });
  SaveAsBt = button("SaveAsBt", QStyle::SP_DriveFDIcon, "Сохранить как...");
  connect(SaveAsBt, &QToolButton::clicked, this, [this] { SaveAsBtClick(); });
  RefreshBt = button("RefreshBt", QStyle::SP_BrowserReload, "Вернуться к сохраненому в файле (F4)");
  connect(RefreshBt, &QToolButton::clicked, this, [this] { RefreshBtClick(); });
  DelFileBt = button("DelFileBt", QStyle::SP_TrashIcon, "Удалить файл");
  connect(DelFileBt, &QToolButton::clicked, this, [this] { DelFileBtClick(); });

  StatL = new TClickLabel(top);
  StatL->setObjectName("StatL");
  StatL->setToolTip("Символов в файле (щелкните для обновления)");
  StatL->setMinimumWidth(60);
  StatL->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  StatL->OnClick = [this] { session_->UpdateCharCount(); };

  row->addWidget(FileCB);
  row->addWidget(RecentIm);
  row->addWidget(OpenBt);
  row->addWidget(NewFileBt);
  row->addWidget(SaveBt);
  row->addWidget(SaveAsBt);
  row->addWidget(RefreshBt);
  row->addWidget(DelFileBt);
  row->addStretch(1);
  row->addWidget(StatL);
  column->addWidget(top);

  auto* gpanel = new QWidget(central);
  gpanel->setObjectName("GPanel");
  auto* gl = new QVBoxLayout(gpanel);
  gl->setContentsMargins(0, 0, 0, 0);
  Grid = new TGTree(gpanel);
  Grid->setObjectName("Grid");
  gl->addWidget(Grid);
  column->addWidget(gpanel, 1);
  setCentralWidget(central);

  FileCrForm = new TFileCrForm(this, session_->SettingsPath());
  FileSAForm = new TFileSAForm(this, session_->SettingsPath());
}

void TTreeForm::SetupGrid() {
  Grid->Attach(&session_->Tree);
  painter_.Install(*Grid);
  Grid->SetColCount(3);
  Grid->TreeCol = 0;
  Grid->StretchCol = 0;
  Grid->SetColWidth(1, 53);
  Grid->SetColWidth(2, 53);
  Grid->SetDefaultRowHeight(17);
  const TMainSettings& s = session_->Settings;
  TTree& rows = Grid->Tree;
  rows.Step = s.TreeStep;
  rows.OneColor = s.OneTreeColor;
  rows.Lines = s.Lines;
  rows.Points = s.Points;
  rows.VertAlign = s.VertAlign;
  Grid->SetHorzLines(s.HorzLine);
}

void TTreeForm::AddActions() {
  Shortcuts = new TShortcutFilter(this, [this] { return session_->Editable(); }, this);
  Shortcuts->Add({"SaveA", {QKeyCombination(Qt::Key_F2), QKeyCombination(Qt::ControlModifier, Qt::Key_S)},
                  [this] { SaveBtClick(); }, true});
  Shortcuts->Add({"OpenA", {QKeyCombination(Qt::ControlModifier, Qt::Key_O)}, [this] { OpenBtClick(); }, false});
  Shortcuts->Add({"RefreshA", {QKeyCombination(Qt::Key_F4)}, [this] { RefreshBtClick(); }, false});
  qApp->installEventFilter(Shortcuts);
}

void TTreeForm::ApplyDisplay() {
  const TDisplayValues d = DisplayValues(session_->Settings);
  // The fonts and the text background as applied are what the settings hold from now on: a size
  // off the ladder stays 10, and with SameColor the text takes the node font and background.
  TMainSettings& s = session_->Settings;
  s.NodeFontSize = d.NodeSize;
  s.TextBkColor = d.TextBk;
  s.TextFontName = d.TextFace;
  s.TextFontSize = d.TextSize;
  s.TextFontStyle = d.TextBits;
  Grid->SetColor(d.NodeBk);
  Grid->SetSelColor(d.Sel);
  painter_.NodeBkColor = d.NodeBk;

  const TBaseFont node{Utf8ToCp1251(d.NodeFace), d.NodeSize, d.NodeBits, d.NodeColor};
  const bool nodeChanged = !nodeFont_ || nodeFont_->face != node.face || nodeFont_->size != node.size ||
                           nodeFont_->bits != node.bits || nodeFont_->color != node.color || nodeFontBk_ != d.NodeBk;
  if (nodeChanged) {
    styles_.SetNodeFont(node, d.NodeBk);
    nodeFont_ = node;
    nodeFontBk_ = d.NodeBk;
    Grid->CalcHeights();
  }
  Grid->viewport()->update();

  const TBaseFont text{Utf8ToCp1251(d.TextFace), d.TextSize, d.TextBits, d.TextColor};
  const bool textChanged = !textFont_ || textFont_->face != text.face || textFont_->size != text.size ||
                           textFont_->bits != text.bits || textFont_->color != text.color || textFontBk_ != d.TextBk;
  if (textChanged) {
    styles_.SetTextFont(text, d.TextBk);
    textFont_ = text;
    textFontBk_ = d.TextBk;
  }
}

// ---------------------------------------------------------------- session events

std::optional<TDocView> TTreeForm::CurrentView() const {
  if (!session_->DocOpen()) return std::nullopt;
  // Before the first paint the top row still waits to be applied.
  const int top = Grid->PendingTopRow >= 0 ? Grid->PendingTopRow : Grid->TopRow();
  return TDocView{Grid->SelTop(), Grid->SelBottom(), top};
}

void TTreeForm::DocLoaded(const TDocHeader& header) {
  Grid->ResetReported();
  Grid->SetRows(0, true);
  // The header comes from the file: rows it names beyond the tree select the last row.
  const int last = std::max(Grid->RowCount() - 1, 0);
  const int selTop = std::clamp(header.selTop, 0, last);
  const int selBottom = std::clamp(header.selBottom, selTop, last);
  const int topRow = std::clamp(header.topRow, 0, last);
  Grid->SelRows(selTop, selBottom, false);
  if (Grid->FirstPaintSeen()) {
    Grid->SetHeights(-1);
    Grid->NormTopRow(topRow);
    Grid->PendingTopRow = -1;
  } else {
    Grid->PendingTopRow = topRow;
  }
  Grid->setFocus();
}

void TTreeForm::TreeReset() {
  Grid->PendingTopRow = -1;
  Grid->SetRows(0, false);
}

void TTreeForm::DocStateChanged() {
  const bool open = session_->DocOpen(), editable = session_->Editable();
  Grid->setVisible(open);
  SaveAsBt->setVisible(open);
  RefreshBt->setVisible(open);
  SaveBt->setVisible(open && editable);
  // A read-only document is closed with the same button.
  DelFileBt->setVisible(open);
  StatL->setVisible(open);
  DelFileBt->setToolTip(QString::fromUtf8(session_->DeleteHint()));
}

void TTreeForm::NameChanged() {
  setWindowTitle(Q(session_->Caption()));
  ShowFileName();
}

void TTreeForm::CharCountChanged(int64_t count) { StatL->setText(QString::number(count)); }

bool TTreeForm::CtrlHeld() const {
  return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
}

void TTreeForm::StartInstance(const std::vector<std::string>& args) {
  QStringList list;
  for (const std::string& a : args) list << Q(a);
  QProcess::startDetached(QCoreApplication::applicationFilePath(), list);
}

// ---------------------------------------------------------------- the file list

void TTreeForm::ShowFileName() {
  const QSignalBlocker block(FileCB);
  const QString name = Q(session_->DocName());
  if (name.isEmpty()) {
    FileCB->setCurrentIndex(-1);
    return;
  }
  int index = FileCB->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index < 0) {
    // Keep the list sorted: before the first item that sorts after the name.
    index = 0;
    while (index < FileCB->count() && QString::compare(FileCB->itemText(index), name, Qt::CaseInsensitive) <= 0)
      ++index;
    FileCB->insertItem(index, name);
  }
  FileCB->setCurrentIndex(index);
}

void TTreeForm::FillFileList() {
  {
    const QSignalBlocker block(FileCB);
    FileCB->clear();
    for (const std::string& item : session_->FileListItems()) FileCB->addItem(Q(item));
  }
  ShowFileName();
}

void TTreeForm::FileCBChange(int index) {
  const std::string text = index < 0 ? std::string() : FileCB->itemText(index).toStdString();
  // Choosing the document already shown changes nothing; F4 reverts it.
  if (!text.empty() && text == session_->DocName() && session_->DocOpen()) return;
  session_->ChooseFile(text);
  ShowFileName();
}

// ---------------------------------------------------------------- commands

void TTreeForm::SaveBtClick() {
  if (session_->Editable() && session_->DocOpen()) session_->SaveDoc(true);
}

void TTreeForm::RefreshBtClick() {
  session_->ChooseFile(FileCB->currentText().toStdString());
  ShowFileName();
}

void TTreeForm::DelFileBtClick() { session_->DeleteOrClose(); }

void TTreeForm::OpenBtClick() {
  const std::string folder = session_->DocDir().empty() ? progDir_ : session_->DocDir();
  QFileDialog dialog(this, "Открытие файла", Q(folder), "Quillet files  (*.qlt)");
  dialog.setDefaultSuffix("qlt");
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setSizeGripEnabled(true);
  if (!session_->DocName().empty()) dialog.selectFile(Q(session_->DocName() + ".qlt"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  OpenChosen(dialog.selectedFiles().first().toStdString());
}

void TTreeForm::OpenChosen(const std::string& path) {
  session_->OpenPath(AbsolutePath(path, progDir_), TOpenMode::OpenOrCreate);
}

void TTreeForm::NewFileBtClick() {
  std::string path;
  if (FileCrForm->Ask(session_->DocDir().empty() ? progDir_ : session_->DocDir(), path)) NewFileChosen(path);
}

void TTreeForm::NewFileChosen(const std::string& path) {
  // A folder box emptied by hand gives a bare name: it lands in the program folder.
  if (session_->OpenPath(AbsolutePath(path, progDir_), TOpenMode::Create)) {
    activateWindow();
    Grid->setFocus();
  }
}

void TTreeForm::SaveAsBtClick() {
  if (!session_->DocOpen()) return;
  std::string path;
  TSaveAsChoice choice;
  if (FileSAForm->Ask(session_->Names().FileDir, session_->DocName(), session_->Editable(), path, choice))
    SaveAsChosen(path, choice);
}

void TTreeForm::SaveAsChosen(const std::string& path, TSaveAsChoice choice) {
  session_->SaveAs(AbsolutePath(path, progDir_), choice);
}

QMenu* TTreeForm::RecentMenu() {
  if (!recentMenu_) {
    recentMenu_ = new QMenu(this);
    recentMenu_->setObjectName("RecentMenu");
  }
  recentMenu_->clear();
  for (const TRecentList::MenuItem& item : session_->Recent.Menu(session_->RecentKey())) {
    const size_t index = item.Index;
    recentMenu_->addAction(Q(item.Caption), this, [this, index] { session_->OpenRecent(index); });
  }
  return recentMenu_;
}

void TTreeForm::ShowRecentMenu() {
  QMenu* menu = RecentMenu();
  RecentIm->setDown(false);
  if (menu->isEmpty()) return;
  menu->popup(FileCB->mapToGlobal(QPoint(-1, FileCB->height() - 1)));
}

void TTreeForm::TimerTick() {
  const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
  if (buttons & (Qt::LeftButton | Qt::RightButton)) rightDrag_ = buttons & Qt::RightButton;
}

// ---------------------------------------------------------------- shutdown

void TTreeForm::closeEvent(QCloseEvent* e) {
  Shutdown();
  QMainWindow::closeEvent(e);
}

void TTreeForm::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  timer_.stop();
  instance_.Close();
  TMainSettings& s = session_->Settings;
  s.WinPosition = WinPosRecord(*this, false);
  s.TextWidth = textWidth_;
  s.TreeStep = Grid->Tree.Step;
  s.OneTreeColor = Grid->Tree.OneColor;
  s.Lines = Grid->Tree.Lines;
  s.Points = Grid->Tree.Points;
  s.VertAlign = Grid->Tree.VertAlign;
  s.HorzLine = Grid->HorzLines();
  session_->Shutdown();
}

}  // namespace ql
