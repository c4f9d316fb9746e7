#include "dialogs/Teclas.h"

#include <unordered_map>

namespace {

struct KeyName {
    const char16_t *english;
    const char16_t *spanish;
};

// Names that differ between the languages, or that are words. The punctuation keys are
// named after the characters printed on them on a Spanish keyboard, in both languages.
const std::unordered_map<int, KeyName> &namedKeys() {
    static const std::unordered_map<int, KeyName> table = {
        {8, {u"Backspace", u"Retroceso"}},
        {9, {u"Tab", u"Tabulador"}},
        {12, {u"NumPad Center", u"NumPad Centro"}},
        {13, {u"Return", u"Entrar"}},
        {16, {u"Shift", u"May\u00fasculas"}},
        {17, {u"Control", u"Control"}},
        {18, {u"Alt", u"Alt"}},
        {19, {u"Pause", u"Pausa"}},
        {20, {u"Caps Shift", u"Bloq May\u00fas"}},
        {27, {u"Escape", u"Escape"}},
        {32, {u"Space", u"Espacio"}},
        {33, {u"Page up", u"Re Pag"}},
        {34, {u"Page down", u"Av Pag"}},
        {35, {u"End", u"Fin"}},
        {36, {u"Home", u"Inicio"}},
        {37, {u"Left", u"Izquierda"}},
        {38, {u"Up", u"Arriba"}},
        {39, {u"Right", u"Derecha"}},
        {40, {u"Down", u"Abajo"}},
        {45, {u"Insert", u"Insert"}},
        {46, {u"Delete", u"Supr"}},
        {91, {u"Windows Left", u"Windows Izquierda"}},
        {92, {u"Windows Right", u"Windows Derecha"}},
        {93, {u"Menu", u"Men\u00fa"}},
        {106, {u"NumPad *", u"NumPad *"}},
        {107, {u"NumPad +", u"NumPad +"}},
        {109, {u"NumPad -", u"NumPad -"}},
        {110, {u"NumPad .", u"NumPad ."}},
        {111, {u"NumPad /", u"NumPad /"}},
        {144, {u"Num lock", u"Bloq Num"}},
        {145, {u"Scroll lock", u"Bloq Despl"}},
        {186, {u"`", u"`"}},
        {187, {u"+", u"+"}},
        {188, {u",", u","}},
        {189, {u"-", u"-"}},
        {190, {u".", u"."}},
        {191, {u"\u00e7", u"\u00e7"}},
        {192, {u"\u00d1", u"\u00d1"}},
        {219, {u"'", u"'"}},
        {220, {u"\u00ba", u"\u00ba"}},
        {221, {u"\u00a1", u"\u00a1"}},
        {222, {u"\u00b4", u"\u00b4"}},
        {226, {u"<", u"<"}},
    };
    return table;
}

// The names both languages share: digits, letters, keypad digits and function keys.
QString commonName(int code) {
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        return QString(QChar(code));
    if (code >= 96 && code <= 105)
        return QStringLiteral("NumPad %1").arg(code - 96);
    if (code >= 112 && code <= 123)
        return QStringLiteral("F%1").arg(code - 111);
    return QString();
}

QString keyName(int code, bool spanish) {
    const auto &table = namedKeys();
    if (const auto it = table.find(code); it != table.end())
        return QString::fromUtf16(spanish ? it->second.spanish : it->second.english);
    if (QString name = commonName(code); !name.isEmpty())
        return name;
    return (spanish ? QStringLiteral("Tecla n\u00ba ") : QStringLiteral("Key number ")) +
           QString::number(code);
}

} // namespace

QString NombreTeclaIngles(int code) {
    return keyName(code, false);
}

QString NombreTeclaEspanol(int code) {
    return keyName(code, true);
}
