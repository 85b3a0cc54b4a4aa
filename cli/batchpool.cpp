#include "cli/batchpool.h"

#include "cli/blockwriter.h"
#include "cli/pathsource.h"

#include <QThread>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace Batch {

namespace {

// Files handed to a worker at once: enough that handing over costs nothing next to
// the work, few enough that two workers share even a short list.
constexpr int ChunkSize = 32;
// Chunks in flight per worker: the ones being worked on, the ones done but waiting
// for an earlier one to be written, and some to take next.
constexpr int ChunksPerWorker = 4;

const QByteArray ReportSeparator = QByteArrayLiteral("\f\n");

struct Chunk
{
    std::vector<QString> paths;
    QByteArray out; // each report preceded by the separator
    QByteArray err;
    bool loadFailed = false;
    bool prompted = false;
    bool done = false; // guarded by the pool's mutex
};

void work(Runner &runner, Mode mode, Chunk &chunk)
{
    for (const QString &path : chunk.paths) {
        if (mode == Mode::Report)
            chunk.out += ReportSeparator;
        const qsizetype before = chunk.out.size();
        switch (runner.appendFile(mode, path, chunk.out, chunk.err)) {
        case Outcome::Done:
            break;
        case Outcome::LoadFailed:
            chunk.loadFailed = true;
            break;
        case Outcome::Prompted:
            chunk.prompted = true;
            break;
        }
        if (chunk.out.size() == before && mode == Mode::Report)
            chunk.out.chop(ReportSeparator.size()); // nothing written for this file
    }
}

// Reads the next chunk's names; null at the end of the names.
std::unique_ptr<Chunk> nextChunk(PathSource &paths)
{
    auto chunk = std::make_unique<Chunk>();
    chunk->paths.reserve(ChunkSize);
    QString path;
    while (int(chunk->paths.size()) < ChunkSize && paths.next(path))
        chunk->paths.push_back(path);
    if (chunk->paths.empty())
        return nullptr;
    return chunk;
}

// Writes chunks in order and keeps the status of the run.
class OrderedOutput
{
public:
    OrderedOutput(Mode mode, BlockWriter &out, int errFd)
        : m_mode(mode)
        , m_out(out)
        , m_errFd(errFd)
    { }

    // False once the output cannot be written.
    bool write(const Chunk &chunk)
    {
        m_loadFailed = m_loadFailed || chunk.loadFailed;
        m_prompted = m_prompted || chunk.prompted;
        // Standard error first: its lines belong to files before the output that
        // follows, and stay with them when both streams go to one file.
        if (!chunk.err.isEmpty()) {
            if (!m_out.flush())
                return false;
            writeFully(m_errFd, chunk.err.constData(), chunk.err.size());
        }
        const char *data = chunk.out.constData();
        qsizetype size = chunk.out.size();
        if (m_mode == Mode::Report && !m_anyReport && size > 0) {
            data += ReportSeparator.size(); // no separator before the first report
            size -= ReportSeparator.size();
        }
        m_anyReport = m_anyReport || size > 0;
        m_out.write(data, size);
        return !m_out.failed();
    }

    int status()
    {
        if (!m_out.flush())
            return ExitOutputFailed;
        if (m_loadFailed)
            return ExitLoadFailed;
        return m_prompted ? ExitPrompted : ExitOk;
    }

private:
    Mode m_mode;
    BlockWriter &m_out;
    int m_errFd;
    bool m_loadFailed = false;
    bool m_prompted = false;
    bool m_anyReport = false;
};

int runOnOneWorker(
    Mode mode, std::unique_ptr<Chunk> first, PathSource &paths, OrderedOutput &output)
{
    Runner runner;
    for (std::unique_ptr<Chunk> chunk = std::move(first); chunk; chunk = nextChunk(paths)) {
        work(runner, mode, *chunk);
        if (!output.write(*chunk))
            break;
    }
    return output.status();
}

class Pool
{
public:
    Pool(Mode mode, int jobs)
        : m_mode(mode)
        , m_jobs(jobs)
    { }
    ~Pool()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_workAvailable.notify_all();
        for (std::thread &t : m_threads)
            t.join();
    }

    void add(Chunk *chunk)
    {
        {
            std::lock_guard lock(m_mutex);
            m_queue.push_back(chunk);
            // A worker starts only when there is work for it: one file starts no thread
            // of its own worth waiting for.
            if (int(m_threads.size()) < m_jobs && m_idle == 0)
                m_threads.emplace_back([this] { workLoop(); });
        }
        m_workAvailable.notify_one();
    }

    void waitUntilDone(const Chunk &chunk)
    {
        std::unique_lock lock(m_mutex);
        m_chunkDone.wait(lock, [&] { return chunk.done; });
    }

private:
    void workLoop()
    {
        Runner runner;
        std::unique_lock lock(m_mutex);
        for (;;) {
            ++m_idle;
            m_workAvailable.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            --m_idle;
            if (m_stopping)
                return;
            Chunk *chunk = m_queue.front();
            m_queue.pop_front();
            lock.unlock();
            work(runner, m_mode, *chunk);
            lock.lock();
            chunk->done = true;
            m_chunkDone.notify_all();
        }
    }

    const Mode m_mode;
    const int m_jobs;
    std::mutex m_mutex;
    std::condition_variable m_workAvailable;
    std::condition_variable m_chunkDone;
    std::deque<Chunk *> m_queue;
    std::vector<std::thread> m_threads;
    int m_idle = 0;
    bool m_stopping = false;
};

int runOnWorkers(Mode mode, int jobs, std::deque<std::unique_ptr<Chunk>> inFlight,
    PathSource &paths, OrderedOutput &output)
{
    const size_t window = size_t(jobs) * ChunksPerWorker;
    bool endOfNames = false;
    Pool pool(mode, jobs);
    for (const std::unique_ptr<Chunk> &chunk : inFlight)
        pool.add(chunk.get());
    for (;;) {
        while (!endOfNames && inFlight.size() < window) {
            std::unique_ptr<Chunk> chunk = nextChunk(paths);
            if (!chunk) {
                endOfNames = true;
                break;
            }
            pool.add(chunk.get());
            inFlight.push_back(std::move(chunk));
        }
        if (inFlight.empty())
            break;
        pool.waitUntilDone(*inFlight.front());
        const bool written = output.write(*inFlight.front());
        inFlight.pop_front();
        if (!written)
            break; // the pool stops its workers before the chunks they hold go
    }
    return output.status();
}

} // namespace

int run(Mode mode, int jobs, PathSource &paths, BlockWriter &out, int errFd)
{
    OrderedOutput output(mode, out, errFd);
    std::unique_ptr<Chunk> first = nextChunk(paths);
    std::unique_ptr<Chunk> second = jobs > 1 && first ? nextChunk(paths) : nullptr;
    // A short list is done before a second worker would have started.
    if (!second)
        return runOnOneWorker(mode, std::move(first), paths, output);
    std::deque<std::unique_ptr<Chunk>> inFlight; // in the order of the names
    inFlight.push_back(std::move(first));
    inFlight.push_back(std::move(second));
    return runOnWorkers(mode, jobs, std::move(inFlight), paths, output);
}

int defaultJobs()
{
    return qMax(1, QThread::idealThreadCount());
}

} // namespace Batch
