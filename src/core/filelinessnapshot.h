#pragma once

#include "core/filelines.h"

#include <future>
#include <memory>

// The lines of a document's file, perhaps still being found on another thread. A save hands
// the bytes it wrote over and returns at once: splitting and reading back a page of megabytes
// costs several times its writing. Whoever needs the lines (the next save) waits for them.
class FileLinesSnapshot
{
public:
    FileLinesSnapshot() = default;
    // Lines found already.
    FileLinesSnapshot(std::shared_ptr<const FileLines> lines);
    // The lines of `bytes`, found on another thread.
    static FileLinesSnapshot foundLater(QByteArray bytes, TextEncoding encoding,
                                        LineEnd finalBreak);

    // The lines, once found; empty for a snapshot of nothing.
    std::shared_ptr<const FileLines> get() const;
    operator std::shared_ptr<const FileLines>() const { return get(); }
    explicit operator bool() const { return m_lines.valid(); }
    const FileLines *operator->() const { return get().get(); }

private:
    std::shared_future<std::shared_ptr<const FileLines>> m_lines;
};
