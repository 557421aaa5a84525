// Renders the operator's guide from its Markdown source into the PDF the help command opens:
//   nomira-manual GUIDE.md OUTPUT.pdf
// A4 pages in the IPA Gothic face; run with QT_QPA_PLATFORM=offscreen where there is no screen.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextTable>

#include <cstdio>

namespace {

constexpr const char* kFontFamily = "IPAGothic";

// Markdown tables come without rules; give them thin borders and some room in the cells.
void frameTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            QTextTableFormat format = table->format();
            format.setBorder(1);
            format.setBorderBrush(QColor(0x80, 0x80, 0x80));
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderCollapse(true);
            format.setCellPadding(4);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(format);
        }
        frameTables(child);
    }
}

// Headings get some air above them, so the sections stand apart.
void spaceHeadings(QTextDocument& document) {
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 1) {
            QTextBlockFormat format = block.blockFormat();
            format.setTopMargin(14);
            format.setBottomMargin(4);
            cursor.setPosition(block.position());
            cursor.setBlockFormat(format);
        }
    }
}

// Screenshots are named relative to the guide's folder. Each is carried inside the document as a
// data URL, so the PDF and the HTML copy both show it wherever they are installed. False names
// the first picture that cannot be read.
bool embedImages(QTextDocument& document, const QDir& folder, QString& missing) {
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                continue;
            }
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            QFile file(folder.filePath(format.name()));
            if (!file.open(QIODevice::ReadOnly)) {
                missing = file.fileName();
                return false;
            }
            format.setName(QStringLiteral("data:image/png;base64,") +
                           QString::fromLatin1(file.readAll().toBase64()));
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: nomira-manual GUIDE.md OUTPUT.pdf [OUTPUT.html]\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "nomira-manual: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QFont font(kFontFamily);
    font.setPointSizeF(10.5);
    if (QFontInfo(font).family() != kFontFamily) {
        std::fprintf(stderr, "nomira-manual: the font %s is not installed\n", kFontFamily);
        return 1;
    }

    QTextDocument document;
    document.setDefaultFont(font);
    document.setMarkdown(markdown);
    frameTables(document.rootFrame());
    spaceHeadings(document);
    QString missing;
    if (!embedImages(document, QFileInfo(source).dir(), missing)) {
        std::fprintf(stderr, "nomira-manual: cannot read the picture %s\n", qPrintable(missing));
        return 1;
    }

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    writer.setTitle(QStringLiteral("Delmo Solution ノミラ 操作ガイド"));
    writer.setCreator(QStringLiteral("nomira-manual"));
    // QTextDocument::print lays the text out on the page, with a 2 cm margin and page numbers.
    document.print(&writer);
    if (!QFile::exists(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "nomira-manual: cannot write %s\n", argv[2]);
        return 1;
    }
    // The same document as HTML, for the help window of a desktop without a PDF viewer.
    if (argc == 4) {
        QFile html(QString::fromLocal8Bit(argv[3]));
        const QByteArray bytes = document.toHtml().toUtf8();
        if (!html.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            html.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "nomira-manual: cannot write %s\n", argv[3]);
            return 1;
        }
    }
    return 0;
}
