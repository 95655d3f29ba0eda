#pragma once
// Autosave of the map into its recovery copy. The user-interface thread
// only takes a snapshot of the records; one worker thread turns it into file
// bytes and writes the owner file and the copy (temporary file, flush,
// replace). One write at a time: a copy that falls due while one is being
// written waits for the next tick. A failed write leaves the last good copy
// and shows a note; it is tried again an interval later. The user's own file
// and the modified flag are never touched.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "mapper/recovery/autosave_schedule.h"
#include "mapper/recovery/map_snapshot.h"
#include "mapper/recovery/recovery_store.h"

class CVorMapperDoc;

// The note shown in the state labels while the last write failed.
constexpr const char kAutosaveFailedNote[] = "Autosave failed";

class CAutosave {
public:
    CAutosave(CVorMapperDoc& doc, CRecoveryFolder& folder, CProcessIdentity self, std::int32_t intervalSeconds);
    ~CAutosave();
    CAutosave(const CAutosave&) = delete;
    CAutosave& operator=(const CAutosave&) = delete;

    // The file the map belongs to (empty: never saved); names the copy.
    void SetMapPath(const std::string& path) { m_strMapPath = path; }
    // After every step of the program (a command, a message of the client)
    // and at every timer tick: a copy is started when one is due. Returns
    // true when the note changed.
    bool Poll(std::uint64_t now);
    // The map was saved, closed, or replaced after the save question: its
    // copy goes. Waits for a write in progress first.
    void RemoveCopy();
    // A copy restored at start-up becomes this process's copy.
    void AdoptCopy(const std::string& copyName);
    // Waits until the worker has nothing left to do (tests, closing).
    void Wait();

    const std::string& Note() const { return m_strNote; }
    const std::string& CopyName() const { return m_strCopyName; }
    std::string CopyPath() const { return m_folder.PathOf(m_strCopyName); }
    std::uint64_t WritesDone() const;
    CAutosaveSchedule& Schedule() { return m_schedule; }

private:
    struct CResult {
        bool ok = false;
        std::string error;
    };
    void StartCopy(std::uint64_t now);
    void RequestPrepare();
    std::string ChooseCopyName();
    bool TakeResult();
    void Run();

    CVorMapperDoc& m_doc;
    CRecoveryFolder& m_folder;
    CProcessIdentity m_self;
    CAutosaveSchedule m_schedule;
    std::string m_strMapPath;
    std::string m_strCopyName;      // empty until the first copy
    std::string m_strCopyMapPath;   // the map path the copy was named after
    std::string m_strNote;

    // Shared with the worker, under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    std::unique_ptr<CMapSnapshot> m_pJob;  // waiting for the worker
    std::string m_strJobCopy, m_strJobOwnerText;
    bool m_bBusy = false;                  // a job taken and not finished
    std::optional<CResult> m_result;
    std::uint64_t m_nWrites = 0;
    bool m_bStop = false;
    // Memory to prepare for the next snapshot (rooms, links, text bytes), 0 for none.
    std::size_t m_nPrepareRooms = 0, m_nPrepareLinks = 0, m_nPrepareText = 0;
    std::unique_ptr<CMapSnapshot> m_pSpare;  // the last snapshot's memory, reused
    std::thread m_thread;
};
