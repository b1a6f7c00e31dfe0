#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

/// A word of a PDF as poppler's pdftotext finds it, its box in millimetres from the page's top-left
/// corner.
struct PdfWord
{
    int page = 0; // from 1
    QString text;
    QRectF box;
};

/// The words of every page of the PDF at `path` (pdftotext -bbox), text normalised (NFKC); empty
/// when the file cannot be read.
std::vector<PdfWord> readPdfWords(const QString& path);
/// The words `text` found on `page`, in reading order.
std::vector<PdfWord> wordsNamed(const std::vector<PdfWord>& words, const QString& text, int page = 0);
/// The size of the first page in millimetres (empty when unreadable).
QSizeF pdfPageSize(const QString& path);
/// The number of pages pdftotext sees.
int pdfPageCount(const QString& path);
