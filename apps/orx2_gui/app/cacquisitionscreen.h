#pragma once
#include <QObject>
#include <QString>

namespace Orx2Sim
{
class CSimHost;
}

namespace Orx2Qt
{
class CGuiLock;
class CViewModelMap;
} // namespace Orx2Qt

namespace Orx2Gui
{
/// What the QML screen binds to: the host's GUI configuration and data exchange configuration as maps
/// made from their descriptions (each slot a map of the view model it holds now, each model a map, down
/// to the thumbnails), the GUI lock, and the step being played. The screen knows no view-model type:
/// QML reads the described names.
///
/// Lives on the GUI thread. The host's configuration objects must outlive it: destroy the screen before
/// the engine destroys the simulator. Destruction stops following the slots first, then releases the
/// maps (which hold the view models weakly and leave nothing running).
class CAcquisitionScreen final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject* gui READ GetGui CONSTANT)
    Q_PROPERTY(QObject* data READ GetData CONSTANT)
    Q_PROPERTY(QObject* guiLock READ GetGuiLock CONSTANT)
    Q_PROPERTY(int stepNumber READ GetStepNumber NOTIFY stepChanged)
    Q_PROPERTY(int stepCount READ GetStepCount NOTIFY stepChanged)
    Q_PROPERTY(QString stepText READ GetStepText NOTIFY stepChanged)

public:
    /// Binds to `host`'s GUI configuration and data exchange configuration. Throws what the bridge throws.
    explicit CAcquisitionScreen(Orx2Sim::CSimHost& host, int stepCount, QObject* parent = nullptr);
    CAcquisitionScreen(CAcquisitionScreen const&) = delete;
    CAcquisitionScreen& operator=(CAcquisitionScreen const&) = delete;

    /// The GUI configuration's map: "area", "sidePanel", "stepMenu", "liveImage", ... (its slots).
    QObject* GetGui() const;
    /// The data exchange configuration's map: "reconstructionProgressDataExchangeModel", ...
    QObject* GetData() const;
    QObject* GetGuiLock() const;
    int GetStepNumber() const { return m_stepNumber; }
    int GetStepCount() const { return m_stepCount; }
    QString GetStepText() const { return m_stepText; }

    /// The engine has played step `number` (1-based), described as `text`.
    void ShowStep(int number, QString const& text);

Q_SIGNALS:
    void stepChanged();

private:
    Orx2Qt::CViewModelMap* m_gui;
    Orx2Qt::CViewModelMap* m_data;
    Orx2Qt::CGuiLock* m_guiLock;
    int m_stepNumber = 0;
    int m_stepCount = 0;
    QString m_stepText;
};
} // namespace Orx2Gui
