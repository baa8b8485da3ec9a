#pragma once

#include <QString>

class QMimeData;

// The four clipboard formats the editing commands ask about. Rich text is RTF under
// "text/rtf" (also read from "application/rtf" and "text/richtext"); a bitmap is any image,
// a device-independent bitmap an image offered as "image/bmp".
enum class ClipboardFormat { Text, Bitmap, Dib, Rtf };

// Empties every format.
void clipboardClear();
// Puts text (plain or RTF) in that one format and keeps the other formats the clipboard holds.
// Image formats cannot be written as text and are left alone.
void clipboardSetText(const QString &text, ClipboardFormat format = ClipboardFormat::Text);
// The plain text or RTF held, empty when none.
QString clipboardGetText(ClipboardFormat format = ClipboardFormat::Text);
bool clipboardHasFormat(ClipboardFormat format);

// The same answers for any mime data (drag and drop, the edit control's own paste).
bool mimeHasFormat(const QMimeData *data, ClipboardFormat format);
QString mimeGetText(const QMimeData *data, ClipboardFormat format);
