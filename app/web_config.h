// SPDX-License-Identifier: MIT
// Where the web commands point. The hosts below are placeholders on reserved
// example domains; a packager puts the real ones here.
#pragma once

namespace web_config {

inline constexpr char kScheme[] = "https://";
// The maker's host: home page, update page, link page, lottery pages.
inline constexpr char kMakerHost[] = "fumiyose.example.com";
// An outside site of New-Year card materials.
inline constexpr char kMaterialSiteHost[] = "nenga-sozai.example.net";
// An outside site where card texts are composed online.
inline constexpr char kComposingSiteHost[] = "nenga-bunmen.example.org";

}  // namespace web_config
