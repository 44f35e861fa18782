#pragma once

#include <vector>
#include <QLabel>
#include <QTextBrowser>

#include "core/framed_window.h"

namespace velmora {

// One library or font the program uses and the licence it is used under.
struct ThirdPartyLicence {
    QString component;
    QString licence;
};

// The libraries and fonts of the desktop program with their licences, as their Debian
// packages state them.
const std::vector<ThirdPartyLicence>& third_party_licences();

// "软件简介": the program's name and version, what it does, and the licences of what it is
// built on. Only shows text; "确定", the close label and Esc close it.
class AboutWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit AboutWindow(const WindowSkin& skin, QWidget* parent = nullptr);

    QString name_and_version() const { return title_->text(); }
    QString description() const { return description_->text(); }
    QTextBrowser* licences() const { return licences_; }

private:
    QLabel* title_;
    QLabel* description_;
    QTextBrowser* licences_;
};

} // namespace velmora
