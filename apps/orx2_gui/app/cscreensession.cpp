#include "cscreensession.h"

#include "cacquisitionscreen.h"

#include "engine/csimulator.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSGRendererInterface>

#include <exception>

namespace Orx2Gui
{
void PrepareGraphics()
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

void UseScreenFont()
{
    int const id =
        QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    QStringList const families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    QFont font(families.isEmpty() ? QStringLiteral("DejaVu Sans") : families.front());
    font.setPixelSize(12);
    font.setHintingPreference(QFont::PreferNoHinting);
    QGuiApplication::setFont(font);
}

CScreenSession::CScreenSession(CEngineThread::SOptions options, QObject* parent)
    : QObject(parent), m_engine(new CEngineThread(std::move(options), this))
{
    connect(m_engine, &CEngineThread::ready, this, &CScreenSession::OnReady);
    connect(m_engine, &CEngineThread::stepPlayed, this, &CScreenSession::OnStep);
    connect(m_engine, &CEngineThread::idle, this, &CScreenSession::idle);
    connect(m_engine, &CEngineThread::failed, this, &CScreenSession::failed);
}

CScreenSession::~CScreenSession()
{
    delete m_window.data();
    delete m_qml;
    delete m_screen;
    m_engine->Join();
}

void CScreenSession::Start()
{
    m_engine->Start();
}

QQuickWindow* CScreenSession::GetWindow() const
{
    return m_window;
}

QImage CScreenSession::Grab() const
{
    return m_window ? m_window->grabWindow() : QImage();
}

void CScreenSession::OnReady()
{
    Orx2Sim::CSimulator* const simulator = m_engine->GetSimulator();
    if (simulator == nullptr || m_screen != nullptr)
        return;
    try
    {
        m_screen = new CAcquisitionScreen(simulator->GetHost(), m_engine->GetStepCount(), this);
    }
    catch (std::exception const& error)
    {
        Q_EMIT failed(QStringLiteral("the screen cannot bind: ") + QString::fromStdString(error.what()));
        return;
    }
    m_qml = new QQmlEngine(this);
    m_qml->rootContext()->setContextProperty(QStringLiteral("acquisition"), m_screen);
    QQmlComponent component(m_qml, QUrl(QStringLiteral("qrc:/orx2gui/Main.qml")));
    QObject* const root = component.create();
    m_window = qobject_cast<QQuickWindow*>(root);
    if (!m_window)
    {
        delete root;
        Q_EMIT failed(QStringLiteral("the screen cannot be shown: ") + component.errorString());
        return;
    }
    m_window->show();
    m_engine->Release();
    Q_EMIT shown(0);
}

void CScreenSession::OnStep(int number, QString const& description, QString const& error,
                            int failedExpectations)
{
    QString text = description;
    if (!error.isEmpty())
        text += QStringLiteral("  (failed: %1)").arg(error);
    else if (failedExpectations > 0)
        text += QStringLiteral("  (%1 expectations missed)").arg(failedExpectations);
    if (m_screen != nullptr)
        m_screen->ShowStep(number, text);
    Q_EMIT shown(number);
}
} // namespace Orx2Gui
