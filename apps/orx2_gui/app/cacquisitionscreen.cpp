#include "cacquisitionscreen.h"

#include "engine/csimhost.h"
#include "qtbridge/cguilock.h"
#include "qtbridge/cviewmodelmap.h"

namespace Orx2Gui
{
CAcquisitionScreen::CAcquisitionScreen(Orx2Sim::CSimHost& host, int stepCount, QObject* parent)
    : QObject(parent),
      m_gui(Orx2Qt::MakeConfigurationMap<Base::IGuiConfiguration>(host.GetGuiConfiguration(), this)),
      m_data(Orx2Qt::MakeConfigurationMap<Base::IDataExchangeConfiguration>(host.GetConfiguration(), this)),
      m_guiLock(new Orx2Qt::CGuiLock(this)), m_stepCount(stepCount)
{
}

QObject* CAcquisitionScreen::GetGui() const
{
    return m_gui;
}

QObject* CAcquisitionScreen::GetData() const
{
    return m_data;
}

QObject* CAcquisitionScreen::GetGuiLock() const
{
    return m_guiLock;
}

void CAcquisitionScreen::ShowStep(int number, QString const& text)
{
    m_stepNumber = number;
    m_stepText = text;
    Q_EMIT stepChanged();
}
} // namespace Orx2Gui
