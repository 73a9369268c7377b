#include "app/screen_accessible.h"

#include <QAccessibleWidget>

#include "app/screen_widget.h"

namespace shirakaba {

namespace {

class ScreenAccessible : public QAccessibleWidget {
 public:
  explicit ScreenAccessible(ScreenWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<const ScreenWidget*>(widget())->shownText();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* screenInterfaceFor(const QString&, QObject* object) {
  if (auto* w = qobject_cast<ScreenWidget*>(object)) return new ScreenAccessible(w);
  return nullptr;
}

}  // namespace

void installScreenAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(screenInterfaceFor);
}

}  // namespace shirakaba
