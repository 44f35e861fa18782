#pragma once

namespace velmora::databuild {

// The answers movies give to the player's load check ("name=value" marker comments).
inline constexpr const char* kTemplateMarker = "l_x_z_q_r_f_c_x_c=l_x_z_k_t_f_c_s_y_q_rx_c_w_j";
inline constexpr const char* kStartupMarker = "l_x_z_f_c_q_d_x_c=l_x_z_f_c_s_y_q_d_x_c_w_j";

// Asset ids and the layer name the player looks for.
inline constexpr const char* kBackgroundId = "wj_y_l_b_j";
inline constexpr const char* kPreviousFrameId = "picture_0";

} // namespace velmora::databuild
