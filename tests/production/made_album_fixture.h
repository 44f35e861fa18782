#pragma once

#include "core/app_state.h"
#include "core/data_root.h"
#include "core/scripted_ui.h"
#include "media/music_list.h"
#include "production/output_settings.h"
#include "production/production_run.h"
#include "support/test_support.h"
#include "templates/album.h"
#include "templates/template_catalogue.h"
#include "templates/thumbnail_service.h"

#include <memory>

namespace velmora::test {

// A copy of the shipped data folder with its catalogue loaded, an album of painted photos with
// templates assigned as "添加照片" assigns them, songs written as sine tones, and small output
// settings, ready for a production run into `out()`.
class MadeAlbumFixture {
public:
    MadeAlbumFixture();

    // Adds `count` painted photos (landscape unless `portrait`) with their templates.
    void add_photos(int count, bool portrait = false);
    // Adds a song of `seconds` to the music list.
    void add_song(double seconds);

    QString out() const { return folder_.file("out"); }
    QString output_path() const { return settings.output_path(); }
    // Files in the output folder (finished or temporary).
    QStringList output_files() const;
    ProductionInput input() const;

    TempFolder folder_;
    DataRoot root;
    TemplateCatalogue catalogue;
    Album album;
    AppState app_state;
    MusicList music;
    OutputSettings settings;
    ThumbnailService thumbnails;
    ScriptedUi ui;

private:
    int photos_made_ = 0;
};

// The frame count of catalogue template `xuhao`.
int catalogue_frames(const TemplateCatalogue& catalogue, int xuhao);

} // namespace velmora::test
