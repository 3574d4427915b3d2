#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>

#include <memory>
#include <vector>

namespace Orx2Sim
{
class CSimHost;
}

namespace Base
{
template <class T> class IProperty;
class IAreaViewModel;
class ISidePanelViewModel;
class IStepMenuViewModel;
} // namespace Base

namespace Orx2Gui
{
class CGuiLock;

/// What the QML screen binds to: for each slot of the GUI configuration it shows, a map of the slot's
/// current view model (re-made when the host replaces the view model), the area tiles with their
/// thumbnail lists, the step menu as a list, the tools with their actions, the reconstruction progress
/// and result models of the data exchange configuration, the GUI lock, and the step being played.
///
/// Lives on the GUI thread. The host's configuration objects must outlive it: destroy the screen before
/// the engine destroys the simulator. Destruction stops following the slots first, then releases the
/// maps and models (which hold the view models weakly and leave nothing running).
class CAcquisitionScreen final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QObject* areaPanel READ GetAreaPanel NOTIFY areaPanelChanged)
    Q_PROPERTY(QVariantList tiles READ GetTiles NOTIFY areaPanelChanged)
    Q_PROPERTY(QObject* progress READ GetProgress CONSTANT)
    Q_PROPERTY(QObject* result READ GetResult CONSTANT)
    Q_PROPERTY(QObject* stepMenu READ GetStepMenu NOTIFY stepMenuChanged)
    Q_PROPERTY(QObject* sidePanel READ GetSidePanel NOTIFY sidePanelChanged)
    Q_PROPERTY(QVariantList tools READ GetTools NOTIFY sidePanelChanged)
    Q_PROPERTY(QObject* liveImage READ GetLiveImage NOTIFY liveImageChanged)
    Q_PROPERTY(QObject* lockGui READ GetLockGui NOTIFY lockGuiChanged)
    Q_PROPERTY(QObject* calibration READ GetCalibration NOTIFY calibrationChanged)
    Q_PROPERTY(QObject* colourDialog READ GetColourDialog NOTIFY colourDialogChanged)
    Q_PROPERTY(QObject* guiLock READ GetGuiLock CONSTANT)
    Q_PROPERTY(int stepNumber READ GetStepNumber NOTIFY stepChanged)
    Q_PROPERTY(int stepCount READ GetStepCount NOTIFY stepChanged)
    Q_PROPERTY(QString stepText READ GetStepText NOTIFY stepChanged)

public:
    /// Binds to `host`'s GUI configuration and data exchange configuration. Throws what the bridge throws.
    explicit CAcquisitionScreen(Orx2Sim::CSimHost& host, int stepCount, QObject* parent = nullptr);
    ~CAcquisitionScreen() override;
    CAcquisitionScreen(CAcquisitionScreen const&) = delete;
    CAcquisitionScreen& operator=(CAcquisitionScreen const&) = delete;

    QObject* GetAreaPanel() const { return m_areaPanel; }
    QVariantList GetTiles() const { return m_tiles; }
    QObject* GetProgress() const { return m_progress; }
    QObject* GetResult() const { return m_result; }
    QObject* GetStepMenu() const { return m_stepMenu; }
    QObject* GetSidePanel() const { return m_sidePanel; }
    QVariantList GetTools() const { return m_tools; }
    QObject* GetLiveImage() const { return m_liveImage; }
    QObject* GetLockGui() const { return m_lockGui; }
    QObject* GetCalibration() const { return m_calibration; }
    QObject* GetColourDialog() const { return m_colourDialog; }
    QObject* GetGuiLock() const;
    int GetStepNumber() const { return m_stepNumber; }
    int GetStepCount() const { return m_stepCount; }
    QString GetStepText() const { return m_stepText; }

    /// The engine has played step `number` (1-based), described as `text`.
    void ShowStep(int number, QString const& text);

Q_SIGNALS:
    void areaPanelChanged();
    void stepMenuChanged();
    void sidePanelChanged();
    void liveImageChanged();
    void lockGuiChanged();
    void calibrationChanged();
    void colourDialogChanged();
    void stepChanged();

private:
    /// Makes `target` the new object and lets the old one go once QML has let go of it.
    static void Replace(QPointer<QObject>& target, QObject* replacement);

    /// Follows `slot`: its view model, mapped through `table`, becomes `target`; `changed` is emitted.
    template <class I, class Table>
    void FollowSlot(Table const& table, QPointer<QObject>& target, void (CAcquisitionScreen::*changed)(),
                    Base::IProperty<std::shared_ptr<I>> const& slot);
    void ShowAreaPanel(std::shared_ptr<Base::IAreaViewModel> const& panel);
    void ShowSidePanel(std::shared_ptr<Base::ISidePanelViewModel> const& panel);
    void ShowStepMenu(std::shared_ptr<Base::IStepMenuViewModel> const& menu);

    QPointer<QObject> m_areaPanel;
    QVariantList m_tiles;
    std::vector<QPointer<QObject>> m_tileObjects; // the tiles' maps and thumbnail lists
    QPointer<QObject> m_progress;
    QPointer<QObject> m_result;
    QPointer<QObject> m_stepMenu;
    QPointer<QObject> m_sidePanel;
    QVariantList m_tools;
    std::vector<QPointer<QObject>> m_toolObjects;
    QPointer<QObject> m_liveImage;
    QPointer<QObject> m_lockGui;
    QPointer<QObject> m_calibration;
    QPointer<QObject> m_colourDialog;
    CGuiLock* m_guiLock = nullptr;
    int m_stepNumber = 0;
    int m_stepCount = 0;
    QString m_stepText;
    std::vector<std::shared_ptr<void>> m_watches; // last: they stop first
};
} // namespace Orx2Gui
