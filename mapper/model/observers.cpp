// The document's observers and the calls that reach them.
#include <algorithm>

#include "mapper/model/document.h"

void CVorMapperDoc::AddObserver(IMapObserver* observer)
{
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CVorMapperDoc::RemoveObserver(IMapObserver* observer)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CVorMapperDoc::NotifyRoom(RoomId id, const CRoom* before, const CRoom* after)
{
    for (IMapObserver* observer : m_observers)
        observer->OnRoomChanging(id, before, after);
}

void CVorMapperDoc::NotifyLink(LinkId id, const CLink* before, const CLink* after)
{
    for (IMapObserver* observer : m_observers)
        observer->OnLinkChanging(id, before, after);
}

void CVorMapperDoc::NotifyMapReplaced()
{
    for (IMapObserver* observer : m_observers)
        observer->OnMapReplaced();
}

void CVorMapperDoc::SetPlaneName(std::int32_t plane, const std::string& name)
{
    for (IMapObserver* observer : m_observers)
        observer->OnPlaneNameChanging(plane, m_planeNames.Find(plane), &name);
    m_planeNames.Set(plane, name);
}

void CVorMapperDoc::BeginStep(const char* name, std::uint64_t merge)
{
    for (IMapObserver* observer : m_observers)
        observer->OnStepBegin(name, merge);
}

void CVorMapperDoc::EndStep()
{
    for (IMapObserver* observer : m_observers)
        observer->OnStepEnd();
}

std::uint64_t CMapStep::NewMergeKey()
{
    static std::uint64_t last = 0;
    return ++last;
}
