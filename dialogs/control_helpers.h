#pragma once
// Small helpers the item dialogs share: naming a control after its component name, and
// turning the core's texts (8-bit byte texts, UTF-16 units) into Qt strings and back.
#include <QString>
#include <string>
#include <string_view>

namespace quillet::ui {

// Gives a new control its component name, by which the tests find it.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// Byte texts hold one 8-bit character per byte.
inline QString FromByteText(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToByteText(const QString& text) { return text.toLatin1().toStdString(); }

inline QString FromWideText(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace quillet::ui
