// From an engine thread's publication to the value readable in QML, through the real bridge, at a
// scanner's rates: 14 areas' progress at 20 Hz each, the live image's status at 30 Hz, a thumbnail every
// 500 ms, the GUI lock toggled at 2 Hz; and ten times that. One, four and sixteen screens (sets of maps)
// are bound to the same models. The GUI thread runs its event loop, as a QML screen would.
//
// Prints one Markdown row per run: latency of the progress values (publication to the map holding it,
// p50/p99/max), CPU time per second of the engine and the GUI thread, what the bridge did, and the
// deepest queue seen (posts waiting for the GUI thread; merging keeps it bounded).
// Usage: orx2_qt_bridge_screen [SECONDS per run, default 5]
#include "qtbridge/cbridgestatistics.h"
#include "qtbridge/cguilock.h"
#include "qtbridge/cviewmodelmap.h"
#include "qtbridge/variantconversion.h"

#include "base/orx2basepool/tcommand.h"
#include "businesslayer/common/ccommonreconstructionprogressdataexchangemodelbase.h"
#include "businesslayer/common/cliveimageviewmodelbase.h"
#include "businesslayer/common/cthumbnailbarviewmodelbase.h"
#include "reference_host/cacquisitionproperties.h"
#include "reference_host/ccommonarea.h"
#include "reference_host/ccommonareas.h"
#include "reference_host/cthumbnailsource.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QQmlPropertyMap>
#include <QTimer>

#include <time.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
using Clock = std::chrono::steady_clock;
using Base::EAreaItems;
constexpr std::size_t kAreas = Base::kAreaItemCount;
constexpr int kStampsPerArea = 4096;

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

/// A progress value that names its area and its publication: (area * 4096 + k) / 65536 is exact in a float.
float Encode(std::size_t area, int k)
{
    return static_cast<float>(static_cast<int>(area) * kStampsPerArea + k) / 65536.0f;
}

/// The models of one host, and the times at which the engine published each progress value.
struct SHost
{
    std::shared_ptr<ReferenceHost::CCommonAreas> areas = std::make_shared<ReferenceHost::CCommonAreas>();
    std::shared_ptr<ReferenceHost::CAcquisitionProperties> acquisition =
        std::make_shared<ReferenceHost::CAcquisitionProperties>();
    std::shared_ptr<BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase> progress;
    std::shared_ptr<BusinessLayer::CLiveImageViewModelBase> liveImage;
    std::shared_ptr<BusinessLayer::CThumbnailBarViewModelBase> bar =
        std::make_shared<BusinessLayer::CThumbnailBarViewModelBase>();
    ReferenceHost::CThumbnailSource thumbnails{EAreaItems::LowerJaw};
    std::shared_ptr<Base::TCommand<void>> locking =
        std::make_shared<Base::TCommand<void>>([] {}, L"bench.Locking", true);
    std::vector<std::array<Clock::time_point, kStampsPerArea>> published =
        std::vector<std::array<Clock::time_point, kStampsPerArea>>(kAreas);

    SHost()
    {
        for (std::size_t a = 0; a < kAreas; ++a)
        {
            auto const area = static_cast<EAreaItems>(a);
            areas->InstantiateArea(area);
            areas->GetCommonArea(area)->SetHasDataOrReco(true);
        }
        progress = std::make_shared<BusinessLayer::CCommonReconstructionProgressDataExchangeModelBase>(areas);
        liveImage = std::make_shared<BusinessLayer::CLiveImageViewModelBase>(acquisition, acquisition);
        thumbnails.Fill(*bar);
    }
};

/// Calls `onValue` with a key's new value on the notify signal QML bindings of that key listen to
/// (QQmlPropertyMap::valueChanged reports only writes from QML, not the bridge's updates).
class CKeyWatch : public QObject
{
    Q_OBJECT
public:
    CKeyWatch(QQmlPropertyMap* map, QString key, std::function<void(QVariant const&)> onValue, QObject* parent)
        : QObject(parent), m_map(map), m_key(std::move(key)), m_onValue(std::move(onValue))
    {
        QMetaObject const* const type = map->metaObject();
        QMetaMethod const notify = type->property(type->indexOfProperty(m_key.toUtf8().constData())).notifySignal();
        QMetaMethod const slot = metaObject()->method(metaObject()->indexOfSlot("OnNotified()"));
        if (!notify.isValid() || !QObject::connect(map, notify, this, slot))
            qFatal("the map has no key %s", qUtf8Printable(m_key));
    }

public Q_SLOTS:
    void OnNotified() { m_onValue(m_map->value(m_key)); }

private:
    QQmlPropertyMap* m_map;
    QString m_key;
    std::function<void(QVariant const&)> m_onValue;
};

/// What the GUI side saw of the progress values: one latency sample per publication found in a map.
struct SSeen
{
    std::vector<double> latenciesUs;
    std::vector<std::array<int, kAreas>> lastSeen; // per screen, per area
};

struct SRow
{
    int rate = 1;
    int screens = 1;
    double seconds = 0;
    std::size_t publications = 0;
    std::vector<double> latenciesUs;
    double engineCpu = 0;
    double guiCpu = 0;
    Orx2Qt::SBridgeCounts counts;
    quint64 deepestQueue = 0;
};

double Percentile(std::vector<double>& values, double p)
{
    if (values.empty())
        return 0;
    std::size_t const index =
        std::min(values.size() - 1, static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size()))) - 1);
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index), values.end());
    return values[index];
}

SRow Run(int rate, int screens, double seconds)
{
    // The map's key is the described name as QML spells it (a lower-case start).
    QString const kProgressKey = Orx2Qt::QmlName("AreaReconstructionProgress");
    SHost host;
    SSeen seen;
    seen.lastSeen.assign(static_cast<std::size_t>(screens), {});
    for (auto& perArea : seen.lastSeen)
        perArea.fill(-1);

    std::vector<std::unique_ptr<QObject>> screenObjects;
    for (int s = 0; s < screens; ++s)
    {
        auto screen = std::make_unique<QObject>();
        Orx2Qt::CViewModelMap* const progressMap =
            Orx2Qt::MakeViewModelMap<Base::IReconstructionProgressBarDataExchangeModel>(host.progress, screen.get());
        Orx2Qt::MakeViewModelMap<Base::ILiveImageViewModel>(host.liveImage, screen.get());
        Orx2Qt::MakeViewModelMap<Base::IThumbnailBarViewModel>(host.bar, screen.get());
        new Orx2Qt::CGuiLock(screen.get());
        auto const index = static_cast<std::size_t>(s);
        new CKeyWatch(progressMap, kProgressKey,
                      [&seen, &host, index](QVariant const& value)
                      {
                          Clock::time_point const now = Clock::now();
                          QVariantList const list = value.toList();
                          for (QVariant const& entry : list)
                          {
                              int const code = static_cast<int>(std::lround(entry.toDouble() * 65536.0));
                              auto const area = static_cast<std::size_t>(code / kStampsPerArea);
                              int const k = code % kStampsPerArea;
                              if (area >= kAreas || k <= seen.lastSeen[index][area])
                                  continue;
                              seen.lastSeen[index][area] = k;
                              seen.latenciesUs.push_back(
                                  std::chrono::duration<double, std::micro>(
                                      now - host.published[area][static_cast<std::size_t>(k)])
                                      .count());
                          }
                      },
                      screen.get());
        screenObjects.push_back(std::move(screen));
    }
    QCoreApplication::processEvents();

    SRow row;
    row.rate = rate;
    row.screens = screens;
    std::atomic<bool> done{false};
    std::atomic<quint64> deepest{0};
    Orx2Qt::SBridgeCounts const before = Orx2Qt::CBridgeStatistics::Get();

    // The sampler reads the bridge's counters every millisecond: posts made minus posts applied.
    std::thread sampler(
        [&]
        {
            while (!done.load())
            {
                Orx2Qt::SBridgeCounts const c = Orx2Qt::CBridgeStatistics::Get() - before;
                quint64 const applied = c.updatesApplied + c.rowChanges;
                if (c.postsQueued > applied)
                    deepest.store(std::max(deepest.load(), c.postsQueued - applied));
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });

    std::thread engine(
        [&]
        {
            double const cpuStart = ThreadCpuSeconds();
            Clock::time_point const start = Clock::now();
            auto const period = [rate](double hz) { return std::chrono::duration<double>(1.0 / (hz * rate)); };
            // Next due time of each stream: areas are spread over the progress period.
            std::vector<Clock::time_point> dueArea(kAreas);
            for (std::size_t a = 0; a < kAreas; ++a)
                dueArea[a] = start + std::chrono::duration_cast<Clock::duration>(period(20.0) * (static_cast<double>(a) / kAreas));
            Clock::time_point dueLive = start, dueThumbnail = start, dueLock = start;
            std::array<int, kAreas> next{};
            int status = 0;
            int thumbnail = 0;
            std::size_t publications = 0;
            Clock::time_point const end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
            for (;;)
            {
                Clock::time_point due = std::min({dueLive, dueThumbnail, dueLock});
                for (Clock::time_point const t : dueArea)
                    due = std::min(due, t);
                if (due >= end)
                    break;
                std::this_thread::sleep_until(due);
                for (std::size_t a = 0; a < kAreas; ++a)
                {
                    if (dueArea[a] > due)
                        continue;
                    int const k = next[a]++ % kStampsPerArea;
                    host.published[a][static_cast<std::size_t>(k)] = Clock::now();
                    host.areas->GetCommonArea(static_cast<EAreaItems>(a))->SetReconstructionProgress(Encode(a, k));
                    dueArea[a] += std::chrono::duration_cast<Clock::duration>(period(20.0));
                    ++publications;
                }
                if (dueLive <= due)
                {
                    host.acquisition->SetLiveViewStatus(static_cast<BusinessLayer::ELiveViewStatus>(++status % 6));
                    dueLive += std::chrono::duration_cast<Clock::duration>(period(30.0));
                    ++publications;
                }
                if (dueThumbnail <= due)
                {
                    ++thumbnail;
                    host.thumbnails.Add(L"", thumbnail, CStringW(L"bitmap") + CStringW(std::to_wstring(thumbnail).c_str()));
                    dueThumbnail += std::chrono::duration_cast<Clock::duration>(period(2.0));
                    ++publications;
                }
                if (dueLock <= due)
                {
                    host.locking->Execute();
                    dueLock += std::chrono::duration_cast<Clock::duration>(period(2.0));
                    ++publications;
                }
            }
            row.seconds = std::chrono::duration<double>(Clock::now() - start).count();
            row.engineCpu = ThreadCpuSeconds() - cpuStart;
            row.publications = publications;
            done = true;
        });

    double const guiStart = ThreadCpuSeconds();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done.load())
            QCoreApplication::exit(0);
    });
    poll.start(50);
    QCoreApplication::exec();
    engine.join();
    QCoreApplication::processEvents();
    row.guiCpu = ThreadCpuSeconds() - guiStart;
    sampler.join();
    row.counts = Orx2Qt::CBridgeStatistics::Get() - before;
    row.deepestQueue = deepest.load();
    row.latenciesUs = std::move(seen.latenciesUs);
    screenObjects.clear();
    return row;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    double const seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    if (!(seconds > 0))
    {
        std::fprintf(stderr, "usage: orx2_qt_bridge_screen [SECONDS per run, > 0]\n");
        return 2;
    }
    std::printf("| load | screens | publications/s | latency p50 | p99 | max | engine CPU | GUI CPU | "
                "snapshots/s | updates/s | deepest queue |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int const rate : {1, 10})
    {
        for (int const screens : {1, 4, 16})
        {
            SRow row = Run(rate, screens, seconds);
            double const p50 = Percentile(row.latenciesUs, 0.50);
            double const p99 = Percentile(row.latenciesUs, 0.99);
            double const max = row.latenciesUs.empty() ? 0 : *std::max_element(row.latenciesUs.begin(), row.latenciesUs.end());
            std::printf("| %s | %d | %.0f | %.0f µs | %.0f µs | %.0f µs | %.2f %% | %.2f %% | %.0f | %.0f | %llu |\n",
                        rate == 1 ? "realistic" : "10 x", screens, static_cast<double>(row.publications) / row.seconds,
                        p50, p99, max, 100.0 * row.engineCpu / row.seconds, 100.0 * row.guiCpu / row.seconds,
                        static_cast<double>(row.counts.snapshotsRead) / row.seconds,
                        static_cast<double>(row.counts.updatesApplied) / row.seconds,
                        static_cast<unsigned long long>(row.deepestQueue));
            std::fflush(stdout);
        }
    }
    return 0;
}

#include "screen_endtoend.moc"
