#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace velmarin {

class CHyperLink;

// The about box: the program's icon, the version line, the maker, a link to
// the maker's web page and the copyright line with the build date.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // versionText and buildText as ReadVersionInfo gives them; either may be empty.
    CAboutDlg(const QString& versionText, const QString& buildText, QWidget* parent = nullptr);

    CHyperLink* Link() const { return link; }
    QString VersionLine() const { return versionLine; }
    QString CopyrightLine() const { return copyrightLine; }

private:
    QString copyrightLine;
    QString versionLine;
    CHyperLink* link = nullptr;
};

inline constexpr const char* kMakerName = "Tannwick";
inline constexpr const char* kMakerAddress = "https://tannwick.example/velmarin";

}  // namespace velmarin
