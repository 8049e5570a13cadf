#include "ui/widgets/deferredicons.h"

#include <QAbstractButton>
#include <QEvent>
#include <QIconEngine>
#include <QIconEnginePlugin>
#include <QPainter>
#include <QPixmap>

#include <optional>
#include <utility>
#include <vector>

namespace veldor {
namespace {

// Icons made while a DeferredIcons lives; reading the files is the default engine's work.
int deferring = 0;
bool reading = false;
int madeCount = 0;
int readCount = 0;

// An icon that knows only its files until something needs its pixels or sizes; then it reads
// them as Qt's own engine does and answers from that.
class DeferredIconEngine : public QIconEngine
{
public:
    DeferredIconEngine() { ++madeCount; }
    DeferredIconEngine(const DeferredIconEngine& other) = default;

    void addFile(const QString& fileName, const QSize& size, QIcon::Mode mode,
                 QIcon::State state) override
    {
        if (loaded_)
            loaded_->addFile(fileName, size, mode, state);
        else
            files_.push_back({fileName, size, mode, state});
    }
    void addPixmap(const QPixmap& pixmap, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().addPixmap(pixmap, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, 1.0, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return loaded().pixmap(size / scale, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().availableSizes(mode, state);
    }
    // Not read yet: an icon with files is taken to have pixels, as it has once read.
    bool isNull() override { return loaded_ ? loaded_->isNull() : files_.empty(); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    struct File
    {
        QString name;
        QSize size;
        QIcon::Mode mode;
        QIcon::State state;
    };

    QIcon& loaded()
    {
        if (!loaded_) {
            ++readCount;
            const bool outer = reading;
            reading = true;
            loaded_.emplace();
            for (const File& file : files_)
                loaded_->addFile(file.name, file.size, file.mode, file.state);
            reading = outer;
            files_.clear();
        }
        return *loaded_;
    }

    std::vector<File> files_;
    std::optional<QIcon> loaded_;
};

// Shows `button`'s real icon as it is first shown.
class IconOnShow : public QObject
{
public:
    IconOnShow(QWidget* button, std::function<QIcon()> loaded)
        : QObject(button), loaded_(std::move(loaded))
    {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            if (auto* button = qobject_cast<QAbstractButton*>(watched))
                button->setIcon(loaded_());
            deleteLater();
        }
        return false;
    }

private:
    std::function<QIcon()> loaded_;
};

} // namespace

// Claims image files for QIcon::addFile, but makes an engine only while icons are deferred;
// otherwise Qt's own engine reads them.
class DeferredIconPlugin : public QIconEnginePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QIconEngineFactoryInterface_iid FILE "deferredicons.json")
public:
    QIconEngine* create(const QString&) override
    {
        return deferring > 0 && !reading ? new DeferredIconEngine : nullptr;
    }
};

DeferredIcons::DeferredIcons()
{
    ++deferring;
}

DeferredIcons::~DeferredIcons()
{
    --deferring;
}

int DeferredIcons::Made()
{
    return madeCount;
}

int DeferredIcons::Read()
{
    return readCount;
}

void LoadIconWhenShown(QWidget* button, std::function<QIcon()> loaded)
{
    if (button != nullptr)
        new IconOnShow(button, std::move(loaded));
}

} // namespace veldor

#include "deferredicons.moc"

Q_IMPORT_PLUGIN(DeferredIconPlugin)
