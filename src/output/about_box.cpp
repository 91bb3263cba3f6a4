#include "output/about_box.h"

#include "model/program_version.h"

AboutBoxContent AboutBoxTexts() {
  AboutBoxContent c;
  c.caption = "About Velmora";
  c.title = "Kelvarin";
  c.subtitle = " for Linux";
  c.version = ProgramVersionText;
  c.credits = "The Kelvarin team";
  c.emailAddress = "kelvarin@tessivane.example";
  c.webAddress = "https://tessivane.example/";
  return c;
}

std::string AboutLinkTarget(const AboutBoxContent& content, AboutLink link) {
  return link == AboutLink::Email ? "mailto:" + content.emailAddress + "?" : content.webAddress;
}

void AboutLinkClicked(const AboutBoxContent& content, AboutLink link) {
  GetPlatform().OpenUrl(AboutLinkTarget(content, link));
}

void ShowAboutBox() { GetPlatform().ShowAboutBox(AboutBoxTexts()); }
