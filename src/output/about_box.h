// The About box: its texts and its two links.
#pragma once

#include <string>

#include "platform/platform.h"

enum class AboutLink : int { Email, Web };

// The texts the About box shows: caption, name, " for Linux", the version (the
// file header's text from its ninth character on), the author and the two links.
AboutBoxContent AboutBoxTexts();
// What a click on a link hands to the desktop: "mailto:" + address + "?", or the
// web address itself.
std::string AboutLinkTarget(const AboutBoxContent& content, AboutLink link);
// A click on a link: the platform opens its target; the box stays open.
void AboutLinkClicked(const AboutBoxContent& content, AboutLink link);
// Help / About (602).
void ShowAboutBox();
