// The window in English: every menu entry, the toolbar's tip and the about
// box carry no German word of the program's own texts; the choice in
// "Ansicht → Sprache" switches at once, is saved as the settings file's
// "lang en" line, and German writes the file as it always was.
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtTest>

#include "core/text/language.h"
#include "core/text/text_catalogue.h"
#include "qt/window/CMainFrame.h"
#include "qt/window/qt_language.h"

using namespace velmarin;

namespace {

QSet<QString> Words(const QString& text) {
    static const QRegularExpression word(QStringLiteral("[A-Za-zÄÖÜäöüß]{3,}"));
    QSet<QString> found;
    for (auto it = word.globalMatch(QString(text).remove(QLatin1Char('&'))); it.hasNext();)
        found.insert(it.next().captured().toLower());
    return found;
}

// Every word of a source text of the translation file that no English text uses.
QSet<QString> GermanWords() {
    QFile file(QStringLiteral(VELMARIN_TRANSLATION_FILE));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&file);
    QSet<QString> sources, translations;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("source")) sources.unite(Words(xml.readElementText()));
        if (xml.name() == QLatin1String("translation")) translations.unite(Words(xml.readElementText()));
    }
    return sources.subtract(translations);
}

struct Entry {
    QString where;
    QString text;
};

// Every text a user meets in the menus (walked down every submenu), the
// toolbar's tips and the window's title.
QList<Entry> WindowTexts(CMainFrame& frame) {
    QList<Entry> texts{{QStringLiteral("title"), frame.windowTitle()}};
    std::function<void(const QString&, const QList<QAction*>&)> walk = [&](const QString& path,
                                                                         const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            if (action->isSeparator()) continue;
            const QString where = path + QStringLiteral(" > ") + action->text();
            texts.append({where, action->text()});
            texts.append({where + QStringLiteral(" (status)"), action->statusTip()});
            texts.append({where + QStringLiteral(" (tip)"), action->toolTip()});
            if (action->menu()) walk(where, action->menu()->actions());
        }
    };
    walk(QString(), frame.menuBar()->actions());
    for (QToolButton* button : frame.findChildren<QToolBar*>().value(0)->findChildren<QToolButton*>())
        texts.append({QStringLiteral("toolbar tip"), button->toolTip()});
    return texts;
}

int MenuEntryCount(const QList<Entry>& texts) {
    int count = 0;
    for (const Entry& e : texts)
        if (!e.where.endsWith(QLatin1Char(')')) && e.where != QLatin1String("title")) ++count;
    return count;
}

QAction* FindEntry(CMainFrame& frame, const QString& text) {
    for (QAction* action : frame.findChildren<QAction*>())
        if (action->text() == text) return action;
    return nullptr;
}

QByteArray FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ApplyProgramLanguage(Language::German); }

    void everyMenuEntryInEnglish() {
        const QSet<QString> german = GermanWords();
        QVERIFY(german.contains(QStringLiteral("datei")));
        QVERIFY(german.contains(QStringLiteral("sprache")));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Velmarin.ini"));

        // German first: the same walk finds German words, so the English check can fail.
        ApplyProgramLanguage(Language::German);
        CMainFrame germanFrame(path.toStdString());
        const QList<Entry> germanTexts = WindowTexts(germanFrame);
        int germanHits = 0;
        for (const Entry& e : germanTexts) germanHits += Words(e.text).intersects(german) ? 1 : 0;
        QVERIFY(germanHits > 20);

        QVERIFY(ApplyProgramLanguage(Language::English));
        CMainFrame frame(path.toStdString());
        const QList<Entry> texts = WindowTexts(frame);
        QCOMPARE(MenuEntryCount(texts), MenuEntryCount(germanTexts));
        for (const Entry& e : texts) {
            const QSet<QString> left = Words(e.text).intersect(german);
            if (!left.isEmpty())
                QFAIL(qPrintable(e.where + QStringLiteral(": German words ") + QStringList(left.values()).join(u' ')));
        }
        // Spot checks that the entries are the English ones, keys kept.
        QVERIFY(FindEntry(frame, QStringLiteral("&Print...\tCtrl+P")));
        QVERIFY(FindEntry(frame, QStringLiteral("&Midnight line")));
        QVERIFY(FindEntry(frame, QStringLiteral("&Language")));
    }

    void aboutBoxInEnglish() {
        QVERIFY(ApplyProgramLanguage(Language::English));
        QTemporaryDir dir;
        CMainFrame frame(dir.filePath(QStringLiteral("Velmarin.ini")).toStdString());
        QString title;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QDialog*>(w); box && box->isVisible()) {
                    title = box->windowTitle();
                    box->reject();
                }
            }
        });
        FindEntry(frame, QStringLiteral("&?"))->trigger();
        QCOMPARE(title, QStringLiteral("About Velmarin"));
    }

    void chosenInTheMenuSavedAndSwitchedAtOnce() {
        ApplyProgramLanguage(Language::German);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Velmarin.ini"));
        QFile seed(path);
        QVERIFY(seed.open(QIODevice::WriteOnly));
        seed.write("0 0 0 1 0 1 1\r\n52.000000 9.800000 1.0\r\nfuture 7\r\n");
        seed.close();
        const QByteArray before = FileText(path);
        CMainFrame frame(path.toStdString());
        QVERIFY(FindEntry(frame, QStringLiteral("&Datei")) || frame.menuBar()->actions().first()->text() == "&Datei");

        FindEntry(frame, QStringLiteral("&English"))->trigger();
        QTRY_COMPARE(ProgramLanguage(), Language::English);
        QTRY_COMPARE(frame.menuBar()->actions().first()->text(), QStringLiteral("&File"));
        QCOMPARE(FileText(path), before + "lang en\r\n");
        QVERIFY(FindEntry(frame, QStringLiteral("&English"))->isChecked());
        QCOMPARE(Text(TextId::MonthOct), "Oct");

        FindEntry(frame, QStringLiteral("&Deutsch"))->trigger();
        QTRY_COMPARE(frame.menuBar()->actions().first()->text(), QStringLiteral("&Datei"));
        QCOMPARE(ProgramLanguage(), Language::German);
        QCOMPARE(FileText(path), before);
        QVERIFY(FindEntry(frame, QStringLiteral("&Deutsch"))->isChecked());
        // The commands still work after the rebuild.
        FindEntry(frame, QStringLiteral("mit Raster"))->trigger();
        QVERIFY(FileText(path).startsWith("0 0 0 1 0 0 1\r\n"));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
