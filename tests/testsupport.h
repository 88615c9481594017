// SPDX-License-Identifier: MIT
#pragma once

// What the test programs share: finding a control by its name, letting
// posted work finish, mouse events sent straight to a widget, a scroll bar's
// style option, and keeping the application-wide settings a test changes.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QMouseEvent>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QThread>
#include <QtTest>

#include <cstdio>

namespace testsupport {

// Where a helper was called from, for the failure it records: a default
// argument {__builtin_FILE(), __builtin_LINE()} takes the caller's file and
// line (std::source_location is missing from libc++ before 16).
struct Where {
    const char* file;
    int line;
};

// The child of `parent` named `name` (its objectName) of type T. When there
// is none, the running test fails with the name, at the caller's line, and
// nullptr comes back; outside a test the name goes to standard error.
template <class T = QWidget>
T* find(const QObject* parent, QAnyStringView name, Where where = {__builtin_FILE(), __builtin_LINE()})
{
    T* found = parent ? parent->findChild<T*>(name.toString()) : nullptr;
    if (!found) {
        const QString message = QStringLiteral("no control %1 of type %2 in %3")
                                    .arg(name.toString(), QString::fromLatin1(T::staticMetaObject.className()),
                                         parent ? parent->objectName() : QStringLiteral("(no window)"));
        if (QTest::currentTestFunction())
            QTest::qFail(qPrintable(message), where.file, where.line);
        else
            std::fprintf(stderr, "%s\n", qPrintable(message));
    }
    return found;
}

// Lets the program finish what the last action set off: handlers, posted
// updates, painting and the flush to the screen. Events go on until a round
// finds none to handle (an update that one event posts is painted in the
// next round), at most 100 rounds.
inline void settle()
{
    QAbstractEventDispatcher* dispatcher = QThread::currentThread()->eventDispatcher();
    for (int round = 0; round < 100; ++round) {
        QCoreApplication::sendPostedEvents();
        if (!dispatcher->processEvents(QEventLoop::AllEvents) && round >= 1)
            break;
    }
}

// A mouse event sent straight to `target` at its local point `at`, past the
// window system: fractional points stay as they are.
inline void sendMouse(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers mods = {})
{
    QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, mods);
    QApplication::sendEvent(target, &event);
}

// A press and a release of one button at `at`, sent as sendMouse() does.
inline void sendClick(QWidget* target, QPointF at, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers mods = {})
{
    sendMouse(target, QEvent::MouseButtonPress, at, button, button, mods);
    sendMouse(target, QEvent::MouseButtonRelease, at, button, Qt::NoButton, mods);
}

// The style option a scroll bar paints itself with, for finding its parts.
inline QStyleOptionSlider scrollBarOption(const QScrollBar& bar)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    if (bar.orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return option;
}

// The centre of one part of a scroll bar (an arrow, the track, the thumb).
inline QPoint scrollBarPartCentre(const QScrollBar& bar, QStyle::SubControl part)
{
    const QStyleOptionSlider option = scrollBarOption(bar);
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar).center();
}

// The application-wide settings a test may change, to see that none is left
// changed: the style, the palette, the font and the default locale (those
// the kind of application the test runs has).
struct ApplicationSettings {
    QString style;
    QPalette palette;
    QFont font;
    QLocale locale;

    static bool hasStyle() { return qobject_cast<QApplication*>(QCoreApplication::instance()); }
    static bool hasPalette() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }
    static ApplicationSettings now()
    {
        ApplicationSettings settings;
        if (hasStyle())
            settings.style = QApplication::style()->name();
        if (hasPalette()) {
            settings.palette = QGuiApplication::palette();
            settings.font = QGuiApplication::font();
        }
        settings.locale = QLocale();
        return settings;
    }
    // What differs from `before`, in words; empty when nothing does.
    QString changedSince(const ApplicationSettings& before) const
    {
        QStringList changed;
        if (style != before.style)
            changed << QStringLiteral("the style (%1, was %2)").arg(style, before.style);
        if (palette != before.palette)
            changed << QStringLiteral("the palette");
        if (font != before.font)
            changed << QStringLiteral("the font (%1, was %2)").arg(font.toString(), before.font.toString());
        if (locale != before.locale)
            changed << QStringLiteral("the locale (%1, was %2)").arg(locale.name(), before.locale.name());
        return changed.join(QStringLiteral(", "));
    }
};

// In a cleanup(): fails the test function that left a setting changed.
#define CHECK_APPLICATION_SETTINGS(before)                                                                             \
    do {                                                                                                               \
        const QString changed = testsupport::ApplicationSettings::now().changedSince(before);                          \
        QVERIFY2(changed.isEmpty(), qPrintable(QStringLiteral("left changed: ") + changed));                           \
    } while (false)

// Puts the application's style, palette, font and default locale back as
// they were when it was made, however the test leaves. The style in force is
// kept alive meanwhile: QApplication deletes the style it owns when another
// is set.
class KeepApplicationSettings {
public:
    KeepApplicationSettings()
        : style_(ApplicationSettings::hasStyle() ? QApplication::style() : nullptr),
          settings_(ApplicationSettings::now())
    {
        if (style_)
            style_->setParent(nullptr);
    }
    ~KeepApplicationSettings()
    {
        if (style_ && QApplication::style() != style_)
            QApplication::setStyle(style_); // takes it back and deletes the one set meanwhile
        else if (style_)
            style_->setParent(qApp);
        if (ApplicationSettings::hasPalette()) {
            if (QGuiApplication::palette() != settings_.palette)
                QGuiApplication::setPalette(settings_.palette);
            if (QGuiApplication::font() != settings_.font)
                QGuiApplication::setFont(settings_.font);
        }
        QLocale::setDefault(settings_.locale);
    }
    KeepApplicationSettings(const KeepApplicationSettings&) = delete;
    KeepApplicationSettings& operator=(const KeepApplicationSettings&) = delete;

private:
    QStyle* style_;
    ApplicationSettings settings_;
};

} // namespace testsupport

// In a test function: `var` is the control of type T named `name` in
// `parent`; when there is none the test fails with the name and the function
// returns.
#define FIND(T, var, parent, name)                                                                                     \
    T* const var = testsupport::find<T>(parent, name);                                                                 \
    if (!var)                                                                                                          \
    return
