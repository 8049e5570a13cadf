#include "listinput.h"

#include "ui/widgets/listbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

namespace veldor::test {

void ClickRow(ListBox* list, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), button, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

void ChooseEntry(QComboBox* combo, int entry)
{
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    view->scrollTo(view->model()->index(entry, 0));
    const QRect rect = view->visualRect(view->model()->index(entry, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      rect.intersected(view->viewport()->rect()).center());
}

void TypeText(QWidget* widget, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

void CommitText(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

void TurnWheel(QWidget* widget, bool up)
{
    const QPointF at = QRectF(widget->rect()).center();
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, up ? 120 : -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::sendEvent(widget, &wheel);
}

QImage ShownPicture(QWidget* widget)
{
    // Pending paints, and the layout a changed text may have put off (a zero timer whose
    // repaint is posted in turn).
    QCoreApplication::processEvents();
    QTest::qWait(10);
    QWidget* window = widget->window();
    const QPoint at = widget->mapTo(window, QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

int PixelDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height() + b.width() * b.height();
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            differing += lineA[x] != lineB[x];
    }
    return differing;
}

int PixelDifference(const QImage& a, const QImage& b, const QRegion& within)
{
    if (a.size() != b.size())
        return a.width() * a.height() + b.width() * b.height();
    int differing = 0;
    for (const QRect& rect : within.intersected(a.rect())) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const auto* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
            const auto* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
            for (int x = rect.left(); x <= rect.right(); ++x)
                differing += lineA[x] != lineB[x];
        }
    }
    return differing;
}

// The part of `widget` that no widget stacked above it covers.
QRegion Uncovered(QWidget* widget)
{
    QRegion region(widget->rect());
    QWidget* child = widget;
    for (QWidget* parent = widget->parentWidget(); parent && !child->isWindow();
         child = parent, parent = parent->parentWidget()) {
        bool above = false;
        for (QObject* object : parent->children()) {
            if (object == child) {
                above = true;
                continue;
            }
            auto* sibling = qobject_cast<QWidget*>(object);
            if (above && sibling && sibling->isVisible() && !sibling->isWindow())
                region -= QRect(widget->mapFrom(parent, sibling->pos()), sibling->size());
        }
    }
    return region;
}

int PaintedDifference(QWidget* widget)
{
    const QImage shown = ShownPicture(widget);
    const QImage fresh = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Only where no other widget covers it (the person list lies under its column heads).
    const int differing = PixelDifference(shown, fresh, Uncovered(widget));
    if (differing != 0 && qEnvironmentVariableIsSet("VELDOR_DUMP_PAINT")) {
        static int dumped = 0;
        const QString stem = qEnvironmentVariable("VELDOR_DUMP_PAINT") + QString::number(dumped++);
        shown.save(stem + QStringLiteral("-shown.png"));
        fresh.save(stem + QStringLiteral("-fresh.png"));
    }
    return differing;
}

} // namespace veldor::test
