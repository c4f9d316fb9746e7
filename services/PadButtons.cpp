#include "services/PadButtons.h"

#include "core/Texts.h"

#include <QByteArray>

namespace {
// Texts 16110 to 16130 name the buttons A to the right trigger.
constexpr int FirstNameText = 16110;
constexpr qsizetype StoredSize = 2 * std::tuple_size_v<TBotonesMando>;

bool isButton(int code) {
    return code >= 0 && code < PadButtonCount;
}
} // namespace

bool PadButtonReserved(int code) {
    return code == Code(PadButton::Start) || code == Code(PadButton::Back) ||
           code == Code(PadButton::Guide);
}

int PadAction(const TBotonesMando &buttons, int player, int code) {
    if (player != 1 && player != 2)
        return -1;
    for (int action = 0; action < 5; ++action)
        if (buttons[size_t(5 * (player - 1) + action)].holds(code))
            return action;
    return -1;
}

QString PadButtonName(int code) {
    if (code <= 0 || !isButton(code))
        return QString();
    return GetText(FirstNameText + code - 1);
}

QString PadPairName(const PadPair &pair) {
    const QString first = PadButtonName(pair.first), second = PadButtonName(pair.second);
    if (first.isEmpty() || second.isEmpty())
        return first + second;
    return first + QStringLiteral(", ") + second;
}

QByteArray EncodePadButtons(const TBotonesMando &buttons) {
    QByteArray bytes;
    for (const PadPair &pair : buttons) {
        bytes.append(char(pair.first));
        bytes.append(char(pair.second));
    }
    return bytes;
}

bool DecodePadButtons(const QByteArray &bytes, TBotonesMando &buttons) {
    if (bytes.size() != StoredSize)
        return false;
    TBotonesMando read{};
    for (size_t i = 0; i < read.size(); ++i) {
        const int first = quint8(bytes[qsizetype(2 * i)]);
        const int second = quint8(bytes[qsizetype(2 * i + 1)]);
        if (!isButton(first) || !isButton(second))
            return false;
        read[i] = {std::uint8_t(first), std::uint8_t(second)};
    }
    buttons = read;
    return true;
}
