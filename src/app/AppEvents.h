#pragma once

#include <QEvent>

// Window messages between the program's windows, as custom event types with the same numbers.
inline constexpr QEvent::Type kMaximizeToggleEvent = static_cast<QEvent::Type>(1147);  // to the main window
inline constexpr QEvent::Type kPropertyUpdateEvent =
    static_cast<QEvent::Type>(2027);  // to the property panel

// Message 2027: second argument not 0 rewrites the work-status line, 0 the record-count and
// remaining-time lines.
class CPropertyUpdateEvent : public QEvent {
public:
    CPropertyUpdateEvent(int first, int second)
        : QEvent(kPropertyUpdateEvent), first_(first), second_(second) {}
    int First() const { return first_; }
    int Second() const { return second_; }

private:
    int first_;
    int second_;
};
