#include "phone_preview_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>

#include "editor_settings.h"
#include "item_appearance.h"
#include "language_name_words.h"
#include "menu_tree_model.h"
#include "phone_icon_files.h"
#include "phone_screen.h"
#include "preview_icon_store.h"

namespace quillet::ui {

namespace {

const QString kOpenKey = QStringLiteral("PhonePreview/open");
const QString kGeometryKey = QStringLiteral("PhonePreview/geometry");
const QString kListKey = QStringLiteral("PhonePreview/listView");
const QString kFolderKey = QStringLiteral("PhonePreview/phoneFilesFolder");
const QString kLanguageKey = QStringLiteral("PhonePreview/language");

QString IconCacheFolder() {
  const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  return cache.isEmpty() ? QString() : cache + QStringLiteral("/phone-icons");
}

}  // namespace

PhonePreviewWindow::PhonePreviewWindow(const MenuDocument& document, MenuTreeModel& model,
                                       QItemSelectionModel& selection, QWidget* parent)
    : QWidget(parent, Qt::Tool), document_(document), model_(model), selection_(selection) {
  setObjectName(QStringLiteral("PhonePreviewWindow"));
  setWindowTitle(tr("Phone preview"));
  icons_ = new PreviewIconStore(IconCacheFolder(), this);
  screen_ = new PhoneScreen(document, *icons_, this);

  LanguageChooser = new QComboBox(this);
  LanguageChooser->setObjectName(QStringLiteral("LanguageChooser"));
  LanguageChooser->setToolTip(tr("Display language"));
  ListViewBox = new QCheckBox(tr("List view"), this);
  ListViewBox->setObjectName(QStringLiteral("ListViewBox"));
  IconSourceLabel = new QLabel(this);
  IconSourceLabel->setObjectName(QStringLiteral("IconSourceLabel"));
  IconSourceLabel->setWordWrap(true);
  IconSourceLabel->setMaximumWidth(screen_->width());

  auto* controls = new QHBoxLayout;
  controls->addWidget(LanguageChooser, 1);
  controls->addWidget(ListViewBox);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(screen_, 0, Qt::AlignHCenter);
  layout->addWidget(IconSourceLabel);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(LanguageChooser, &QComboBox::activated, this, [this](int index) {
    if (index < 0 || index >= static_cast<int>(languages_.size())) return;
    screen_->setLanguage(languages_[static_cast<std::size_t>(index)]);
    EditorSettings::store().setValue(kLanguageKey, languages_[static_cast<std::size_t>(index)]);
  });
  connect(ListViewBox, &QCheckBox::toggled, this, [this](bool list) {
    screen_->setListMode(list);
    EditorSettings::store().setValue(kListKey, list);
  });
  connect(screen_, &PhoneScreen::nodeChosen, this, &PhonePreviewWindow::nodeChosen);
  connect(icons_, &PreviewIconStore::iconsChanged, this, &PhonePreviewWindow::showIconSource);
  followModel();

  QSettings settings = EditorSettings::store();
  bool known = false;
  const uint language = settings.value(kLanguageKey).toUInt(&known);
  if (known && language >= 1 && language <= 255) screen_->setLanguage(static_cast<std::uint8_t>(language));
  ListViewBox->setChecked(settings.value(kListKey).toBool());
  icons_->setPhoneFolder(rememberedPhoneFolder());
  fillLanguages();
  screen_->showNode(MenuTreeModel::nodeForIndex(selection_.currentIndex()));
  showIconSource();
}

PhonePreviewWindow::~PhonePreviewWindow() {
  if (isVisible()) rememberPlace();
  icons_->disconnect(this);
  icons_->setPhone(nullptr);  // the store lets go of the phone before the phone goes
}

void PhonePreviewWindow::followModel() {
  // Before a node goes, a submenu on show inside it gives way; after any change the
  // screen reads the document again.
  connect(&model_, &QAbstractItemModel::rowsAboutToBeRemoved, this,
          [this](const QModelIndex& parent, int first, int last) {
            for (int row = first; row <= last; ++row)
              screen_->nodeLeaving(MenuTreeModel::nodeForIndex(model_.index(row, 0, parent)));
          });
  connect(&model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { screen_->documentLeaving(); });
  auto refresh = [this] {
    fillLanguages();
    screen_->rebuild();
  };
  connect(&model_, &QAbstractItemModel::rowsInserted, this, refresh);
  connect(&model_, &QAbstractItemModel::rowsRemoved, this, refresh);
  connect(&model_, &QAbstractItemModel::rowsMoved, this, refresh);
  connect(&model_, &QAbstractItemModel::dataChanged, this, refresh);
  connect(&model_, &QAbstractItemModel::modelReset, this, refresh);
  connect(&selection_, &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { screen_->showNode(MenuTreeModel::nodeForIndex(current)); });
}

void PhonePreviewWindow::fillLanguages() {
  std::vector<std::uint8_t> languages = DocumentLanguages(document_);
  // A menu without names shows in the phone's own language; English US stands for it.
  if (languages.empty()) languages.push_back(kLanguageEnglishUs);
  if (languages == languages_) return;
  languages_ = std::move(languages);
  LanguageChooser->clear();
  for (const std::uint8_t language : languages_) LanguageChooser->addItem(LanguageWords(language));
  const auto shown = std::find(languages_.begin(), languages_.end(), screen_->language());
  // A language the menu no longer holds gives way to the first one (English US when present).
  const std::size_t index =
      shown != languages_.end() ? static_cast<std::size_t>(shown - languages_.begin()) : 0;
  LanguageChooser->setCurrentIndex(static_cast<int>(index));
  if (languages_[index] != screen_->language()) screen_->setLanguage(languages_[index]);
}

void PhonePreviewWindow::setPhone(std::unique_ptr<PhoneIconFiles> phone) {
  icons_->setPhone(nullptr);
  phone_ = std::move(phone);
  icons_->setPhone(phone_.get());
}

void PhonePreviewWindow::phoneConnectionChanged() {
  if (phone_) phone_->connectionChanged();
  icons_->phoneConnectionChanged();
}

QString PhonePreviewWindow::rememberedPhoneFolder() {
  return EditorSettings::store().value(kFolderKey).toString();
}

void PhonePreviewWindow::setPhoneFolder(const QString& folder) {
  EditorSettings::store().setValue(kFolderKey, folder);
  icons_->setPhoneFolder(folder);
  showIconSource();
}

void PhonePreviewWindow::showIconSource() {
  QString text;
  if (phone_ && phone_->phoneReady()) {
    const QString name = phone_->phoneName();
    text = name.isEmpty() ? tr("Icons from the connected phone") : tr("Icons from the phone %1").arg(name);
  } else if (!icons_->phoneFolder().isEmpty()) {
    text = tr("Icons from the folder %1").arg(QDir::toNativeSeparators(icons_->phoneFolder()));
  } else {
    text = tr("No phone and no phone files folder: icons cannot be shown (View > Phone files folder...)");
  }
  IconSourceLabel->setText(text);
}

void PhonePreviewWindow::restoreFromSettings() {
  const QByteArray geometry = EditorSettings::store().value(kGeometryKey).toByteArray();
  if (geometry.isEmpty() || !restoreGeometry(geometry)) {
    // Beside the main window, on its right.
    if (QWidget* owner = parentWidget()) move(owner->frameGeometry().topRight() + QPoint(8, 0));
  }
}

bool PhonePreviewWindow::wasOpen() { return EditorSettings::store().value(kOpenKey).toBool(); }

void PhonePreviewWindow::rememberOpen(bool open) { EditorSettings::store().setValue(kOpenKey, open); }

void PhonePreviewWindow::rememberPlace() { EditorSettings::store().setValue(kGeometryKey, saveGeometry()); }

void PhonePreviewWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

void PhonePreviewWindow::hideEvent(QHideEvent* event) {
  rememberPlace();
  QWidget::hideEvent(event);
}

}  // namespace quillet::ui
