#pragma once

#include "core/codec.h"
#include "core/keptbytes.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <deque>
#include <vector>

// Writing text so that it reads back as itself, for codecs that keep the bytes they cannot
// read. A kept byte is written as itself, and whatever an edit put next to it may combine with
// it (a lead byte with the next character's code, an ESC with the next two bytes, an odd byte
// with the next UTF-16 unit). So every character is written, then the bytes near it are read
// again with the codec's own reader: when they do not give back what was meant, the character
// is written in its next form (another code, a reference), and when none of its forms fits, the
// character before it is written in its next form. Only bytes whose reading may still change
// are read again, so a long text is written in linear time, and text far from kept bytes is
// read again once.
//
// A codec gives:
//   using State = ...;             // what the reader carries from one item to the next
//   static constexpr int maxUnits; // the most units one item reads as
//   // Reads the item at `pos` (below bytes.size()) into `units`: gives the bytes it takes;
//   // `looked` gets how many bytes from `pos` decided how it reads, counting bytes that were
//   // looked for past the end.
//   qsizetype read(QByteArrayView bytes, qsizetype pos, State &state, char16_t *units, int &count,
//                  qsizetype &looked) const;
//   // The ways of writing the character at `index` as itself after bytes that leave the
//   // reader in `state`, best first; gives their number (at most maxForms - 1, maybe none).
//   int forms(const QString &text, qsizetype index, const State &state, keptbytes::Form *forms)
//   const;
//   // The character at `index` written as a reference there.
//   keptbytes::Form reference(const QString &text, qsizetype index, const State &state) const;
namespace keptbytes {

constexpr int maxForms = 4;

template <class Codec> QString readAll(const Codec &codec, QByteArrayView bytes)
{
    // No item reads as more units than it has bytes.
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    typename Codec::State state{};
    qsizetype written = 0;
    for (qsizetype pos = 0; pos < bytes.size();) {
        int count = 0;
        qsizetype looked = 0;
        pos += codec.read(bytes, pos, state, out + written, count, looked);
        written += count;
    }
    text.truncate(written);
    return text;
}

template <class Codec> class ReadBackWriter
{
    using State = typename Codec::State;

public:
    ReadBackWriter(const Codec &codec, const QString &text, EncodeReport *report)
        : m_codec(codec), m_text(text), m_report(report)
    {}

    QByteArray write()
    {
        m_out.reserve(m_text.size() * 2 + 16);
        std::array<Form, maxForms> forms;
        qsizetype index = 0;
        qsizetype furthest = 0;
        int firstForm = 0;
        int retries = 0;
        while (index < m_text.size()) {
            int count = m_codec.forms(m_text, index, m_state, forms.data());
            const bool settled
                = firstForm == 0 && m_steps.empty() && m_checkpoint.pos == m_out.size();
            if (settled && count > 0 && writeSettled(index, forms[0])) {
                index += forms[0].units;
                continue;
            }
            forms[count++] = m_codec.reference(m_text, index, m_state);
            if (settled && count == 1 && writeSettled(index, forms[0])) {
                index += forms[0].units;
                continue;
            }
            if (const int units = tryForms(index, forms.data(), firstForm, count)) {
                index += units;
                firstForm = 0;
                if (index > furthest) {
                    furthest = index;
                    retries = 0;
                }
                continue;
            }
            // No form of this character reads back after the bytes before it: the character
            // before it takes its next form.
            if (!m_steps.empty() && ++retries <= maxRetries) {
                const Step step = m_steps.back();
                m_steps.pop_back();
                m_out.truncate(step.outStart);
                m_meant.truncate(step.meantStart);
                m_state = step.stateBefore;
                index = step.index;
                firstForm = step.form + 1;
                continue;
            }
            // Not seen in any text tried; written as a reference all the same, and read on
            // from after it.
            writeUnchecked(index, forms[count - 1]);
            index += forms[count - 1].units;
            firstForm = 0;
        }
        while (!m_steps.empty())
            retire();
        return m_out;
    }

private:
    // How many characters back a change may go, and how many changes a place may take.
    static constexpr std::size_t window = 6;
    static constexpr int maxRetries = 256;

    struct Step
    {
        qsizetype index;
        qsizetype outStart;
        qsizetype meantStart;
        State stateBefore;
        int form;
        quint8 units;
        bool reference;
    };
    struct Item
    {
        qsizetype end;
        qsizetype lookedEnd; // the end of the bytes that decided how it reads
        qsizetype meantEnd;
        State stateAfter;
    };
    // Where reading again starts: everything before it reads as meant, whatever comes after.
    struct Checkpoint
    {
        qsizetype pos = 0;
        qsizetype meant = 0;
        State state{};
    };

    // With nothing pending, a form whose bytes read as meant and are decided by themselves alone
    // is final at once.
    bool writeSettled(qsizetype index, const Form &form)
    {
        State state = m_state;
        const QByteArrayView bytes(form.bytes.data(), form.byteCount);
        std::array<char16_t, Codec::maxUnits> units;
        int read = 0;
        for (qsizetype pos = 0; pos < bytes.size();) {
            int count = 0;
            qsizetype looked = 0;
            const qsizetype used = m_codec.read(bytes, pos, state, units.data(), count, looked);
            if (pos + looked > bytes.size() || read + count > form.readCount)
                return false;
            for (int k = 0; k < count; ++k)
                if (form.readsAs[read + k] != units[k])
                    return false;
            read += count;
            pos += used;
        }
        if (read != form.readCount)
            return false;
        m_out.append(bytes.data(), bytes.size());
        m_state = state;
        m_checkpoint = {m_out.size(), 0, state};
        m_meant.clear();
        if (form.reference)
            noteReference(m_report, m_text, index, form.units);
        return true;
    }

    // Writes the first of the forms from `first` on that reads back after the bytes before it;
    // answers how many characters of the text it wrote, 0 when none reads back. (The step it
    // adds may be retired at once, so callers take the count from here, not from m_steps.)
    int tryForms(qsizetype index, const Form *forms, int first, int count)
    {
        for (int f = first; f < count; ++f) {
            const Form &form = forms[f];
            const qsizetype outStart = m_out.size();
            const qsizetype meantStart = m_meant.size();
            m_out.append(form.bytes.data(), form.byteCount);
            m_meant.append(QStringView(form.readsAs.data(), form.readCount));
            State after;
            if (readsBack(&after)) {
                m_steps.push_back(
                    {index, outStart, meantStart, m_state, f, form.units, form.reference});
                m_state = after;
                if (m_steps.size() > window)
                    retire();
                advanceCheckpoint();
                return form.units;
            }
            m_out.truncate(outStart);
            m_meant.truncate(meantStart);
        }
        return 0;
    }

    // Whether the bytes from the checkpoint on read as what was meant; `after` gets the
    // reader's state at the end. The items read are kept for advanceCheckpoint().
    bool readsBack(State *after)
    {
        m_items.clear();
        State state = m_checkpoint.state;
        qsizetype meant = m_checkpoint.meant;
        const QByteArrayView bytes(m_out);
        std::array<char16_t, Codec::maxUnits> units;
        for (qsizetype pos = m_checkpoint.pos; pos < bytes.size();) {
            int count = 0;
            qsizetype looked = 0;
            const qsizetype used = m_codec.read(bytes, pos, state, units.data(), count, looked);
            if (meant + count > m_meant.size())
                return false;
            for (int k = 0; k < count; ++k)
                if (m_meant.at(meant + k).unicode() != units[k])
                    return false;
            meant += count;
            m_items.push_back({pos + used, pos + looked, meant, state});
            pos += used;
        }
        *after = state;
        return meant == m_meant.size();
    }

    // Moves the checkpoint past the items that no later change can alter: those decided by
    // bytes before the oldest character that may still change. When every item is decided by
    // the bytes written, none of those characters needs to change again.
    void advanceCheckpoint()
    {
        const bool allSettled
            = std::all_of(m_items.begin(), m_items.end(),
                          [this](const Item &item) { return item.lookedEnd <= m_out.size(); });
        if (allSettled) {
            while (!m_steps.empty())
                retire();
            m_checkpoint = {m_out.size(), 0, m_state};
            m_meant.clear();
            return;
        }
        const qsizetype fixedEnd = m_steps.front().outStart;
        for (const Item &item : m_items) {
            if (item.end > fixedEnd || item.lookedEnd > fixedEnd)
                break;
            m_checkpoint = {item.end, item.meantEnd, item.stateAfter};
        }
    }

    void retire()
    {
        const Step &step = m_steps.front();
        if (step.reference)
            noteReference(m_report, m_text, step.index, step.units);
        m_steps.pop_front();
    }

    void writeUnchecked(qsizetype index, const Form &form)
    {
        while (!m_steps.empty())
            retire();
        m_out.append(form.bytes.data(), form.byteCount);
        if (form.reference)
            noteReference(m_report, m_text, index, form.units);
        // The reader's state after these bytes, whatever they read as.
        State state = m_checkpoint.state;
        std::array<char16_t, Codec::maxUnits> units;
        for (qsizetype pos = m_checkpoint.pos; pos < m_out.size();) {
            int count = 0;
            qsizetype looked = 0;
            pos += m_codec.read(m_out, pos, state, units.data(), count, looked);
        }
        m_state = state;
        m_checkpoint = {m_out.size(), 0, state};
        m_meant.clear();
    }

    const Codec &m_codec;
    const QString &m_text;
    EncodeReport *m_report;
    QByteArray m_out;
    QString m_meant; // what the output from the checkpoint on is meant to read as
    State m_state{}; // the reader's state after the output
    Checkpoint m_checkpoint;
    std::deque<Step> m_steps; // the last characters written, which may still change
    std::vector<Item> m_items;
};

// Writes `text` with `codec`: every character reads back as itself, or is written as a
// reference and listed in `report`.
template <class Codec>
QByteArray writeReadingBack(const Codec &codec, const QString &text, EncodeReport *report)
{
    if (report)
        *report = EncodeReport();
    return ReadBackWriter<Codec>(codec, text, report).write();
}

} // namespace keptbytes
