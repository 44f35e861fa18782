#include "core/about_window.h"

namespace velmora {
namespace {

constexpr QSize kSize{640, 570};

QString licence_table() {
    QString html = QStringLiteral("<table cellspacing='0' cellpadding='3'>");
    for (const ThirdPartyLicence& entry : third_party_licences())
        html += QStringLiteral("<tr><td valign='top' style='padding-right:14px'><b>%1</b></td><td>%2</td></tr>")
                    .arg(entry.component.toHtmlEscaped(), entry.licence.toHtmlEscaped());
    return html + QStringLiteral("</table>");
}

} // namespace

const std::vector<ThirdPartyLicence>& third_party_licences() {
    // Debian builds FFmpeg with its GPL parts (libx264 among them) and ships rlottie 0.1,
    // which predates the move to MIT; the entries say what the installed packages are under.
    static const std::vector<ThirdPartyLicence> licences = {
        {QStringLiteral("Qt 6"), QStringLiteral("GNU LGPL 第 3 版；Qt 自带的中文翻译文件为 GNU GPL 第 3 版 (附 Qt 例外 1.0)")},
        {QStringLiteral("FFmpeg 5.1"),
         QStringLiteral("GNU LGPL 2.1 或更高版本；Debian 所附版本含 GPL 组件 (如 libx264)，整体按 GNU GPL 2 或更高版本发布")},
        {QStringLiteral("rlottie"), QStringLiteral("GNU LGPL 2.1 或更高版本 (Debian 所附 0.1 版本；上游后续版本改用 MIT 许可证)")},
        {QStringLiteral("OpenCC"), QStringLiteral("Apache License 2.0")},
        {QStringLiteral("libjpeg-turbo"),
         QStringLiteral("IJG 许可证、BSD-3-Clause 与 zlib 许可证。本软件部分基于 Independent JPEG Group 的工作。")},
        {QStringLiteral("libpng"), QStringLiteral("PNG Reference Library License version 2")},
        {QStringLiteral("zlib"), QStringLiteral("zlib 许可证")},
        {QStringLiteral("Noto Sans CJK 字体"), QStringLiteral("SIL Open Font License 1.1")},
    };
    return licences;
}

AboutWindow::AboutWindow(const WindowSkin& skin, QWidget* parent)
    : FramedWindow(QStringLiteral("about"), QStringLiteral("软件简介"), kSize, skin, parent),
      title_(new QLabel(QStringLiteral("Velmora  %1").arg(QStringLiteral(VELMORA_VERSION)), this)),
      description_(new QLabel(this)), licences_(new QTextBrowser(this)) {
    title_->setObjectName(QStringLiteral("name_and_version"));
    title_->setGeometry(30, 58, kSize.width() - 60, 34);
    title_->setStyleSheet(QStringLiteral("font-size: 20px; font-weight: 600; color: #c43d57;"));

    description_->setObjectName(QStringLiteral("description"));
    description_->setText(QStringLiteral("把 JPG 照片、MP3 音乐和 LRC 歌词做成带模板动画、特效和歌词字幕的音乐电子相册，\n"
                                         "输出为 VCD、SVCD、DVD、MOV、MP4、AVI 或 WMV 视频文件。"));
    description_->setGeometry(30, 98, kSize.width() - 60, 48);
    description_->setStyleSheet(QStringLiteral("color: #4a5063;"));

    auto* heading = new QLabel(QStringLiteral("使用的程序库和字体"), this);
    heading->setGeometry(30, 156, kSize.width() - 60, 22);
    heading->setStyleSheet(QStringLiteral("font-weight: 600; color: #4a5063;"));
    licences_->setObjectName(QStringLiteral("licences"));
    licences_->setGeometry(30, 182, kSize.width() - 60, kSize.height() - 182 - 72);
    licences_->setHtml(licence_table());

    QPushButton* ok = add_button(QStringLiteral("确定"), QRect((kSize.width() - 110) / 2, kSize.height() - 58, 110, 34));
    ok->setProperty("accent", true);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace velmora
