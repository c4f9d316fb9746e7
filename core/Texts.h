#pragma once

#include <QString>
#include <QVariant>

#include <initializer_list>

// The game's name: the window title and the caption of boxes that give none. It is
// the same in every language.
inline constexpr const char *ApplicationTitle = "Cobaltix";

// Every user-visible text is looked up by numeric id in the current language.
// An id absent from the table gives the empty text.
QString GetText(int id);

// The text of id used as a pattern: each "%d" takes an integer and each "%s" a
// string from args, in order.
QString GetTextFmt(int id, std::initializer_list<QVariant> args);

// The same formatting for a pattern already at hand (a label holding its template).
// "%.d" prints a zero as nothing; "%%" is a percent sign; a missing argument prints
// as an empty text.
QString FormatText(const QString &pattern, std::initializer_list<QVariant> args);
