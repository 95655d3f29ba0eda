#include "mapper/recovery/autosave.h"

#include "mapper/model/document.h"

CAutosave::CAutosave(CVorMapperDoc& doc, CRecoveryFolder& folder, CProcessIdentity self, std::int32_t intervalSeconds)
    : m_doc(doc), m_folder(folder), m_self(self), m_schedule(intervalSeconds)
{
}

CAutosave::~CAutosave()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bStop = true;
    }
    m_cv.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool CAutosave::Poll(std::uint64_t now)
{
    const bool noteChanged = TakeResult();
    m_schedule.Observe(m_doc.IsModified(), m_doc.GetLastRoomId(), now);
    if (!m_schedule.Enabled() || !m_doc.IsModified())
        return noteChanged;
    bool idle;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        idle = !m_pJob && !m_bBusy;
    }
    if (!idle)
        return noteChanged;
    if (m_schedule.Due(now))
        StartCopy(now);
    else
        RequestPrepare();
    return noteChanged;
}

// Before a copy is due, the worker readies memory for its snapshot: the
// pause of the copy is then the copy alone.
void CAutosave::RequestPrepare()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_nPrepareRooms || (m_pSpare && MapSnapshotFits(*m_pSpare, m_doc)))
            return;
        const std::size_t rooms = m_doc.GetRooms().size(), links = m_doc.GetLinks().size();
        m_nPrepareRooms = rooms + rooms / 4 + 256;
        m_nPrepareLinks = links + links / 4 + 256;
        m_nPrepareText = m_nPrepareRooms * 32;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { Run(); });
    }
    m_cv.notify_all();
}

bool CAutosave::TakeResult()
{
    std::optional<CResult> result;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        result.swap(m_result);
    }
    if (!result)
        return false;
    const std::string note = result->ok ? std::string() : std::string(kAutosaveFailedNote);
    if (note == m_strNote)
        return false;
    m_strNote = note;
    return true;
}

std::string CAutosave::ChooseCopyName()
{
    if (!m_strCopyName.empty() && m_strCopyMapPath == m_strMapPath)
        return m_strCopyName;
    std::string name = RecoveryCopyName(m_strMapPath, m_self.pid);
    if (name != m_strCopyName && m_folder.Files().Exists(m_folder.PathOf(name))) {
        // Another mapper's copy of a map of the same name: keep out of its way.
        const auto owner = m_folder.ReadOwner(name);
        if (!owner || !(owner->process == m_self))
            name = RecoveryCopyNameOfProcess(m_strMapPath, m_self.pid);
    }
    return name;
}

void CAutosave::StartCopy(std::uint64_t now)
{
    const std::string name = ChooseCopyName();
    if (!m_strCopyName.empty() && name != m_strCopyName)
        m_folder.Remove(m_strCopyName);  // named after a path the map no longer has
    m_strCopyName = name;
    m_strCopyMapPath = m_strMapPath;
    m_folder.Ensure();

    std::unique_ptr<CMapSnapshot> snapshot;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        snapshot = std::move(m_pSpare);
    }
    if (!snapshot)
        snapshot = std::make_unique<CMapSnapshot>();
    TakeMapSnapshot(m_doc, *snapshot);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pJob = std::move(snapshot);
        m_strJobCopy = m_folder.PathOf(name);
        m_strJobOwnerText = FormatOwnerRecord({m_self, m_strMapPath});
        if (!m_thread.joinable())
            m_thread = std::thread([this] { Run(); });
    }
    m_cv.notify_all();
    m_schedule.CopyStarted(now);
}

void CAutosave::Run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_cv.wait(lock, [this] { return m_bStop || m_pJob || m_nPrepareRooms; });
        if (m_bStop)
            return;
        if (!m_pJob) {
            std::unique_ptr<CMapSnapshot> spare = std::move(m_pSpare);
            const std::size_t rooms = m_nPrepareRooms, links = m_nPrepareLinks, text = m_nPrepareText;
            m_bBusy = true;
            lock.unlock();
            if (!spare)
                spare = std::make_unique<CMapSnapshot>();
            PrepareMapSnapshot(*spare, rooms, links, text);
            lock.lock();
            m_pSpare = std::move(spare);
            m_nPrepareRooms = 0;
            m_bBusy = false;
            m_cv.notify_all();
            continue;
        }
        std::unique_ptr<CMapSnapshot> job = std::move(m_pJob);
        const std::string copy = m_strJobCopy;
        const std::string ownerText = m_strJobOwnerText;
        m_bBusy = true;
        lock.unlock();

        // The owner file first: a copy is never without one that names its writer.
        CResult result;
        result.ok = m_folder.Files().WriteReplacing(copy + ".owner",
                                                    std::vector<std::uint8_t>(ownerText.begin(), ownerText.end()),
                                                    result.error);
        if (result.ok)
            result.ok = m_folder.Files().WriteReplacing(copy, MapSnapshotBytes(*job), result.error);

        lock.lock();
        m_result = std::move(result);
        m_bBusy = false;
        ++m_nWrites;
        m_pSpare = std::move(job);
        m_cv.notify_all();
    }
}

void CAutosave::Wait()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cv.wait(lock, [this] { return !m_pJob && !m_bBusy && !m_nPrepareRooms; });
}

std::uint64_t CAutosave::WritesDone() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nWrites;
}

void CAutosave::RemoveCopy()
{
    Wait();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_result.reset();
    }
    m_strNote.clear();
    if (!m_strCopyName.empty())
        m_folder.Remove(m_strCopyName);
    m_strCopyName.clear();
    m_strCopyMapPath.clear();
}

void CAutosave::AdoptCopy(const std::string& copyName)
{
    m_strCopyName = copyName;
    m_strCopyMapPath = m_strMapPath;
    const std::string wanted = RecoveryCopyName(m_strMapPath, m_self.pid);
    if (wanted != copyName && !m_folder.Files().Exists(m_folder.PathOf(wanted)) &&
        m_folder.Files().Rename(m_folder.PathOf(copyName), m_folder.PathOf(wanted))) {
        m_folder.Files().Remove(m_folder.PathOf(OwnerFileName(copyName)));
        m_strCopyName = wanted;
    }
    std::string error;
    m_folder.WriteOwner(m_strCopyName, {m_self, m_strMapPath}, error);
}
