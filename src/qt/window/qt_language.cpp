#include "qt/window/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace velmarin {

namespace {

// The translators this function installed carry this name, so that a change
// of language finds and removes them.
const char kTranslatorName[] = "velmarinLanguage";

void RemoveOurTranslators(QCoreApplication& application) {
    for (QTranslator* translator : application.findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (translator->objectName() != QLatin1String(kTranslatorName)) continue;
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

bool Install(QCoreApplication& application, const QLocale& locale, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    translator->setObjectName(QLatin1String(kTranslatorName));
    if (!translator->load(locale, name, QStringLiteral("_"), folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace

bool ApplyProgramLanguage(Language language) {
    SetProgramLanguage(language);
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) return true;
    RemoveOurTranslators(*application);
    if (language == Language::English) {
        return Install(*application, QLocale(QLocale::English, QLocale::UnitedKingdom), QStringLiteral("velmarin"),
                       QStringLiteral(":/i18n"));
    }
    return Install(*application, QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qt"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace velmarin
