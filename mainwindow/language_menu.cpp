#include "language_menu.h"

#include <QActionGroup>
#include <QMenu>
#include <utility>

#include "interface_language.h"

namespace quillet::ui {

LanguageMenu::LanguageMenu(QMenu* help, QWidget* owner, std::function<void(const MessageRequest&)> tell)
    : QObject(help),
      owner_(owner),
      tell_(std::move(tell)),
      menu_(help->addMenu(tr("&Language"))),
      entries_(new QActionGroup(this)) {
  menu_->setObjectName(QStringLiteral("HelpLanguage"));
  menu_->menuAction()->setStatusTip(tr("The language of the windows, from the next start"));
  // Each language is named in its own tongue, so a reader finds theirs in any interface.
  const struct {
    const char* name;
    QString language;
    QString caption;
  } choices[] = {
      {"LanguageSystem", QString(), tr("&System language")},
      {"LanguageEn", QStringLiteral("en"), QStringLiteral("English")},
      {"LanguageRu", QStringLiteral("ru"), QStringLiteral("Русский")},
      {"LanguageZhCN", QStringLiteral("zh_CN"), QStringLiteral("简体中文")},
  };
  const QString remembered = RememberedLanguage();
  for (const auto& choice : choices) {
    QAction* entry = menu_->addAction(choice.caption);
    entry->setObjectName(QLatin1String(choice.name));
    entry->setData(choice.language);
    entry->setCheckable(true);
    entry->setChecked(choice.language == remembered);
    entries_->addAction(entry);
    if (choice.language.isEmpty()) menu_->addSeparator();
  }
  connect(entries_, &QActionGroup::triggered, this, &LanguageMenu::choose);
}

void LanguageMenu::choose(QAction* entry) {
  const QString language = entry->data().toString();
  RememberLanguage(language);
  const QString next = language.isEmpty() ? UsualLanguage() : language;
  if (next == CurrentInterfaceLanguage()) return;
  MessageRequest notice;
  notice.owner = owner_;
  notice.icon = QMessageBox::Information;
  notice.title = tr("Language");
  notice.text = tr("The new language applies when Quillet is started again.");
  tell_(notice);
}

}  // namespace quillet::ui
