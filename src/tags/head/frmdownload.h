#pragma once

#include <QDialog>

class PageFetch;
class QLabel;
class QPushButton;

// The progress of a page download: the address, the bytes received so far and a Cancel
// button. It closes by itself when the transfer ends (accepted on success); Cancel, Esc and
// the close box cancel the transfer. The window stays responsive throughout.
class frmDownload : public QDialog
{
    Q_OBJECT

public:
    explicit frmDownload(PageFetch &fetch, QWidget *parent = nullptr);

    QLabel *lblAddress;
    QLabel *lblBytes;
    QPushButton *cmdCancel;

    void reject() override;

private:
    void showBytes(qint64 bytes);

    PageFetch &m_fetch;
};
