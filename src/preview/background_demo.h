#pragma once

#include <memory>
#include <QSize>
#include <QString>

#include "core/data_root.h"
#include "preview/template_player.h"
#include "templates/album.h"
#include "templates/thumbnail_service.h"

namespace velmora {

// The small movie of the background window that shows one background picture at a
// transparency. Its files live in the data folder's wj_0_or_5_5 until the program ends: two
// unpacked copies of the shipped movie, loaded in turn, and the picture the movie shows.
// One object lives as long as the program, so the alternation continues across openings.
class BackgroundDemo {
public:
    static constexpr QSize kPlayerSize{207, 116};
    static constexpr const char* kPlayerName = "ShockwaveFlash_2_beijingtupian_Alpha";

    explicit BackgroundDemo(DataRoot root);
    ~BackgroundDemo();

    // The unpacked copies wj_0_or_5_5_d_1.rar and _d_2.rar, each made when missing: five
    // rounds into intermediates in the work folder, the sixth into _d_1, then _d_1 copied to
    // _d_2. Throws DataError when the shipped movie is missing or damaged or a file cannot be
    // written; nothing half-written is left under either name.
    void prepare_movies();
    QString movie_copy(int n) const;   // n = 1 or 2
    QString picture_path() const;      // wj_0_or_5_5/wj_y_l_b_j.jpg

    // Writes the picture the movie shows: `background`'s picture fitted whole into 207 x 116.
    // Throws DataError when it cannot be written; a row without a picture writes nothing.
    void write_picture(const BackgroundRow& background, const ThumbnailService& thumbnails) const;

    // The copy the next load takes, advancing the counter: _d_1, _d_2, _d_1, ...
    QString next_movie();

    // The player exists from create_player() to free_player() (the window's opening).
    void create_player();
    void free_player();
    TemplatePlayer* player() const { return player_.get(); }

    // A row was clicked: loads the next copy, sets num_stop to `transparency` and plays from
    // frame 0. Throws DataError when the movie cannot be loaded (the player keeps what it had).
    void show(int transparency);
    // The slider was released: num_stop := `transparency`, then plays from frame 0 again.
    // The album is not touched.
    void set_transparency(int transparency);
    void stop();

private:
    void restart();

    DataRoot root_;
    int counter_ = 0;
    std::unique_ptr<TemplatePlayer> player_;
};

} // namespace velmora
