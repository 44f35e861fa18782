#pragma once

#include <vector>
#include <QString>

namespace velmora {

// The commands of the main window.
enum class MainCommand {
    AddPhotos, AddMusic, AddLyrics, Synchronisation, PictureQuality, Crop, TemplateManagement,
    InsertVideo, TextEffects, PictureEffects, BackgroundPictures,
    MakeVcd, MakeSvcd, MakeDvd, MakeAvi, MakeMov, MakeMp4,
    Settings, PreviewAll, StopPreview,
    FullScreenWindow, EnlargedWindow, DefaultWindow,
    Introduction, Exit,
};

struct MainCommandInfo {
    MainCommand command;
    QString caption;  // the button's caption; empty when the command has no button
    bool guarded;     // refused while the preview plays
};

// Every command with its caption, in the order of the command buttons.
inline const std::vector<MainCommandInfo>& main_commands() {
    static const std::vector<MainCommandInfo> table = {
        {MainCommand::AddPhotos, QStringLiteral("添加照片"), true},
        {MainCommand::AddMusic, QStringLiteral("添加音乐"), true},
        {MainCommand::AddLyrics, QStringLiteral("添加歌词"), true},
        {MainCommand::Crop, QStringLiteral("照片剪裁"), true},
        {MainCommand::TemplateManagement, QStringLiteral("模板管理"), true},
        {MainCommand::BackgroundPictures, QStringLiteral("背景图片"), true},
        {MainCommand::TextEffects, QStringLiteral("文字特效"), true},
        {MainCommand::PictureEffects, QStringLiteral("画面特效"), true},
        {MainCommand::Synchronisation, QStringLiteral("同步效果"), true},
        {MainCommand::PictureQuality, QStringLiteral("画面质量"), true},
        {MainCommand::InsertVideo, QStringLiteral("插入视频"), true},
        {MainCommand::Settings, QStringLiteral("系统设置"), true},
        {MainCommand::MakeVcd, QStringLiteral("VCD"), true},
        {MainCommand::MakeSvcd, QStringLiteral("SVCD"), true},
        {MainCommand::MakeDvd, QStringLiteral("DVD"), true},
        {MainCommand::MakeAvi, QStringLiteral("AVI"), true},
        {MainCommand::MakeMov, QStringLiteral("MOV"), true},
        {MainCommand::MakeMp4, QStringLiteral("MP4"), true},
        {MainCommand::PreviewAll, QStringLiteral(" 播放"), false},
        {MainCommand::StopPreview, QStringLiteral(" 停止"), false},
        {MainCommand::FullScreenWindow, QStringLiteral("全屏窗口"), true},
        {MainCommand::EnlargedWindow, QStringLiteral("放大窗口"), true},
        {MainCommand::DefaultWindow, QStringLiteral("默认窗口"), true},
        {MainCommand::Introduction, QStringLiteral("软件简介"), false},
        {MainCommand::Exit, QStringLiteral("退出文件"), false},
    };
    return table;
}

inline const MainCommandInfo& info(MainCommand command) {
    for (const MainCommandInfo& i : main_commands())
        if (i.command == command)
            return i;
    return main_commands().front();
}

} // namespace velmora
