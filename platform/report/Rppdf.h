#pragma once
// The PDF writer of report streams.
//
// Pages are written as they are handed in, so a document of any length
// needs the memory of one page. Each text is one string in its font at its
// position (a TJ where the font kerns a pair), placed left, right or centred
// by the width the stream carries; boxes, shading, lines, images and bar
// codes are plain PDF graphics. Fonts are embedded as subsets of the
// TrueType faces the layout measured with (Type 0 fonts with Identity-H
// glyph codes), each with a ToUnicode map so that the text can be copied
// and searched. Page contents are compressed with one deflate state for the
// whole file; the file is written to a temporary name and renamed when
// complete.

#include "platform/report/Rpstream.h"

#include <QImage>
#include <memory>

namespace Report {

class TFileSet;

class TPdfWriter : public TPageSink {
public:
    // Nothing is opened before the first page (or Finish).
    explicit TPdfWriter(const QString& file);
    // Writes into a file of the set: Finish() completes the file, the set's
    // Commit() puts it in place; Cancel() drops it from the set.
    TPdfWriter(const QString& file, TFileSet& set);
    // An unfinished file is dropped.
    ~TPdfWriter() override;
    TPdfWriter(const TPdfWriter&) = delete;
    TPdfWriter& operator=(const TPdfWriter&) = delete;

    bool AddPage(const TReportDocument& doc, const TStreamPage& page) override;
    // A document without pages gets one empty page of its paper.
    bool Finish() override;
    void Cancel() override;
    QString ErrorString() const override;

    int PageCount() const;
    QString FileName() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// An image file for drawing: only a regular file is read (a pipe or device
// named as an image would block or never end), and it is opened without
// waiting for a writer. Null when the file is missing, no regular file or no
// image.
QImage LoadImageFile(const QString& file);

} // namespace Report
