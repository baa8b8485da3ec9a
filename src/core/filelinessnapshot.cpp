#include "core/filelinessnapshot.h"

FileLinesSnapshot::FileLinesSnapshot(std::shared_ptr<const FileLines> lines)
{
    if (!lines)
        return;
    std::promise<std::shared_ptr<const FileLines>> found;
    found.set_value(std::move(lines));
    m_lines = found.get_future().share();
}

FileLinesSnapshot FileLinesSnapshot::foundLater(QByteArray bytes, TextEncoding encoding,
                                                LineEnd finalBreak)
{
    FileLinesSnapshot snapshot;
    // The bytes and the codec's tables are only read there; a QByteArray's count of owners is
    // safe across threads.
    snapshot.m_lines
        = std::async(std::launch::async, [bytes = std::move(bytes), encoding,
                                          finalBreak]() mutable {
              return std::make_shared<const FileLines>(std::move(bytes), encoding, finalBreak);
          }).share();
    return snapshot;
}

std::shared_ptr<const FileLines> FileLinesSnapshot::get() const
{
    return m_lines.valid() ? m_lines.get() : nullptr;
}
