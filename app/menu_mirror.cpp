#include "app/menu_mirror.h"

#include <QAction>
#include <QMenu>

namespace shirakaba {

QString menuText(const std::string& caption) {
  QString text = QString::fromStdString(caption);
  text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return text;
}

MenuMirror::MenuMirror(QMenuBar* bar, std::function<void(MenuId)> onClick)
    : bar_(bar), onClick_(std::move(onClick)) {}

void MenuMirror::build(const MenuState& menu) {
  auto hasChildren = [&](int i) {
    for (int k = 0; k < kMenuItems; ++k)
      if (menuDef(k).parent == i) return true;
    return false;
  };
  // Items come parent first, so each parent's QMenu exists before its children.
  for (int i = 0; i < kMenuItems; ++i) {
    const MenuItemDef& item = menuDef(i);
    const std::string& caption = menu.items[i].Caption;
    QMenu* parentMenu = item.parent == kNoParent ? nullptr : menus_[item.parent];
    QAction* a = nullptr;
    if (item.separator) {
      a = parentMenu ? parentMenu->addSeparator() : bar_->addSeparator();
    } else if (hasChildren(i)) {
      QMenu* m = parentMenu ? parentMenu->addMenu(menuText(caption)) : bar_->addMenu(menuText(caption));
      menus_[i] = m;
      a = m->menuAction();
    } else {
      a = parentMenu ? parentMenu->addAction(menuText(caption)) : bar_->addAction(menuText(caption));
      const MenuId id = static_cast<MenuId>(i);
      QObject::connect(a, &QAction::triggered, bar_, [this, id] { onClick_(id); });
    }
    a->setObjectName(QString::fromLatin1(item.name));
    a->setShortcutContext(Qt::WidgetShortcut);  // the game has no keyboard shortcuts
    actions_[i] = a;
  }
  sync(menu);
}

void MenuMirror::sync(const MenuState& menu) {
  for (int i = 0; i < kMenuItems; ++i) {
    QAction* a = actions_[i];
    if (!a) continue;
    const MenuItemState& item = menu.items[i];
    if (!menuDef(i).separator) {
      const QString text = menuText(item.Caption);
      if (a->text() != text) a->setText(text);
      // Only a ticked item shows a mark, as a plain menu does; an unticked one shows none.
      if (a->isCheckable() != item.Checked) a->setCheckable(item.Checked);
      if (a->isChecked() != item.Checked) a->setChecked(item.Checked);
    }
    if (a->isEnabled() != item.Enabled) a->setEnabled(item.Enabled);
    if (a->isVisible() != item.Visible) a->setVisible(item.Visible);
  }
}

}  // namespace shirakaba
