#include "app/screen_accessible.h"

#include <QAccessibleWidget>

#include "app/screen_widget.h"

namespace shirakaba {

namespace {

constexpr const char* kPagePrompt = "▼";

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

QString shownTextOf(const std::vector<std::string>& written) {
  QStringList lines;
  for (const std::string& s : written)
    if (s != kPagePrompt) lines << QString::fromStdString(s);
  return lines.join(QLatin1Char('\n'));
}

void installScreenAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(screenInterfaceFor);
}

}  // namespace shirakaba
