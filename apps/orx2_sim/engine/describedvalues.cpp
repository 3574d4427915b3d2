#include "describedvalues.h"

// Every interface a slot of the GUI configuration can hold, with its description.
#include "base/orx2basepool/interfaces/i3dsceneviewmodel.h"
#include "base/orx2basepool/interfaces/iacquisitionbuttonviewmodel.h"
#include "base/orx2basepool/interfaces/iareaviewmodel.h"
#include "base/orx2basepool/interfaces/icameracalibrationviewmodel.h"
#include "base/orx2basepool/interfaces/icapturekeysviewmodel.h"
#include "base/orx2basepool/interfaces/icolorcalibdialogviewmodel.h"
#include "base/orx2basepool/interfaces/idataexchangeconfiguration.h"
#include "base/orx2basepool/interfaces/iliveimageviewmodel.h"
#include "base/orx2basepool/interfaces/iliveoptionsviewmodel.h"
#include "base/orx2basepool/interfaces/ilivevideoviewmodel.h"
#include "base/orx2basepool/interfaces/ilockguiviewmodel.h"
#include "base/orx2basepool/interfaces/iqrcodeviewmodel.h"
#include "base/orx2basepool/interfaces/isidepanelviewmodel.h"
#include "base/orx2basepool/interfaces/istepmenuviewmodel.h"
#include "base/orx2basepool/interfaces/itrashviewmodel.h"
#include "base/orx2basepool/internal/cdeliveryscope.h"
#include "host/values/ctriangulation.h"
#include "reference_host/cimagedata2dsimple.h"

#include <charconv>
#include <cstdlib>
#include <mutex>

namespace Orx2Sim
{
namespace
{
/// Connected to what a path leads to now, and anew whenever its root changes. A root changes inside a
/// delivery, where ending the earlier connection would wait for handlers on other threads that may wait
/// for that delivery's lock: it ends once this thread has left its outermost delivery. Destruction stops
/// following first, then ends the connection (each waits for a running call).
class CFollow
{
public:
    CFollow(Described::Connect connect, Notify notify)
        : m_connect(std::move(connect)), m_notify(std::move(notify))
    {
    }
    void Reconnect()
    {
        std::shared_ptr<void> previous = m_connect(m_notify);
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            std::swap(previous, m_connection);
        }
        Base::CDeliveryScope::ReleaseAfterDelivery(std::move(previous));
    }
    void Follow(std::shared_ptr<void> root) { m_root = std::move(root); }

private:
    Described::Connect const m_connect;
    Notify const m_notify;
    std::mutex m_mutex;
    std::shared_ptr<void> m_connection;
    std::shared_ptr<void> m_root; // last: ends first
};
} // namespace

Json ToJsonOf(std::wstring const& text)
{
    return Narrow(text);
}

Json ToJsonOf(CStringW const& text)
{
    return Narrow(text.GetStdString());
}

Json ToJsonOf(float value)
{
    char text[32];
    *std::to_chars(text, text + sizeof text - 1, value).ptr = '\0';
    return Json(std::strtod(text, nullptr));
}

Json ToJsonOf(std::shared_ptr<Base::IImageData2DSimple const> const& image)
{
    auto const ours = std::dynamic_pointer_cast<ReferenceHost::CImageData2DSimple const>(image);
    if (!ours)
        return image ? Json("an image") : Json();
    return Narrow(ours->GetName()) + " " + std::to_string(ours->GetWidth()) + "x" +
           std::to_string(ours->GetHeight());
}

Json ToJsonOf(Base::CCalibrationWaitRequest const& request)
{
    return Json{{"CalibState", ToJson(request.GetCalibState())},
                {"InstructionId", request.GetInstructionId()},
                {"InstructionText", ToJson(request.GetInstructionText())},
                {"QuestionType", ToJson(request.GetQuestionType())},
                {"InitialValue", ToJson(request.GetInitialValue())},
                {"Progress", ToJson(request.GetProgress())},
                {"Warning", request.IsWarning()},
                {"DeviceType", ToJson(request.GetDeviceType())}};
}

Json ToJsonOf(Base::CDeviceStateChanged const& state)
{
    return Json{{"State", ToJson(state.GetState())}, {"DeviceName", ToJson(state.GetDeviceName())}};
}

Json ToJsonOf(DataLayer::CReconstructionResult const& result)
{
    auto const& triangulation = result.GetTriangulation();
    return triangulation ? Json(triangulation->GetTriangleCount()) : Json();
}

namespace Described
{
std::size_t AddFollowingSource(CPropertyCatalog& catalog, std::string label, std::string event,
                               void const* identity, CPropertyCatalog::Subscribe const& rootChanges,
                               Connect connect)
{
    return catalog.AddSource(
        std::move(label), std::move(event),
        [rootChanges, connect = std::move(connect)](Notify const& notify) -> std::shared_ptr<void>
        {
            auto follow = std::make_shared<CFollow>(connect, notify);
            follow->Reconnect();
            if (rootChanges)
                follow->Follow(rootChanges(
                    [raw = follow.get(), notify]
                    {
                        raw->Reconnect();
                        notify();
                    }));
            return follow;
        },
        identity);
}

char const* KindHelp(EMemberKind kind)
{
    switch (kind)
    {
    case EMemberKind::Value:
        return "a described value (read on its owner's PropertyChanged; it notifies nobody itself)";
    case EMemberKind::AreaValue:
        return "a described value of this area";
    case EMemberKind::Command:
        return "a described command: the name it is registered under, null while none is installed";
    case EMemberKind::ValueSource:
    case EMemberKind::ArraySource:
        return "a described source (read on its own changes)";
    default:
        return "a described property";
    }
}

void AddShown(CPropertyCatalog& catalog, std::string const& name, std::size_t source,
              CPropertyCatalog::Reader const& unguarded, std::string const& help)
{
    CPropertyCatalog::Reader const read = [unguarded] { return Guarded(unguarded); };
    Json const now = read();
    if (!now.is_object())
        return catalog.AddProperty(name, source, read, help);
    for (auto const& field : now.items())
        catalog.AddProperty(
            name + "." + field.key(), source,
            [read, key = field.key()]
            {
                Json const record = read();
                return record.is_object() ? record.value(key, Json()) : Json();
            },
            help);
}
} // namespace Described

void AddDescribedSlots(CPropertyCatalog& catalog, Base::IGuiConfiguration const& gui)
{
    auto& slots = const_cast<Base::IGuiConfiguration&>(gui);
    std::vector<std::size_t> changes;
    Base::ForEachMember<Base::IGuiConfiguration>(
        [&](auto const& slot)
        {
            using X = typename std::decay_t<decltype(slot)>::Interface;
            auto const& property = slot.Source(slots);
            CPropertyCatalog::Subscribe const rootChanges = [&property](Notify notify)
            { return Observe(property, std::move(notify)); };
            changes.push_back(
                catalog.AddSource(std::string(slot.name) + " slot", "ValueChanged", rootChanges, &property));
            if constexpr (Base::kIsDescribed<X>)
                Described::Declare<X>(
                    catalog, slot.name, [&property] { return property.Get(); }, rootChanges);
        });
    catalog.AddProperty(
        "Slots", changes,
        [&slots]
        {
            Json filled = Json::array();
            Base::ForEachMember<Base::IGuiConfiguration>(
                [&](auto const& slot)
                {
                    if (slot.Read(slots))
                        filled.push_back(slot.name);
                });
            return filled;
        },
        "the GUI configuration's filled slots, in the order of its description");
}

Json WriteSnapshot(Base::IGuiConfiguration const& gui, Base::IDataExchangeConfiguration const& models)
{
    return Json{{"gui", Described::Snapshot(const_cast<Base::IGuiConfiguration&>(gui))},
                {"models", Described::Snapshot(const_cast<Base::IDataExchangeConfiguration&>(models))}};
}
} // namespace Orx2Sim
