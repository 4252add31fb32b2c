// The demo's web database: a Korean notice and eight print sites with their
// pictures and the maker's ordering program, a community member, served by a
// WebDatabaseStub.
#pragma once

#include "support/WebDatabaseStub.h"

#include <string>
#include <vector>

namespace mivotest {

// One row of the site list: 20 text columns.
WdbcRow SiteRow(const std::string& id, const std::string& orderUrl, const std::string& homePage,
                const std::string& pictureFile, const std::string& picturePath, const std::string& updateTime,
                const std::string& provider = "Partner", const std::string& hidden = "N");

// A picture file's bytes: `colour` with a white frame and a white disc in the middle,
// as JPEG or BMP by the extension of `name`; empty when it cannot be made.
std::string MakePicture(const std::string& name, unsigned long colour, int width, int height);

// The advertising banner: a dark blue (30, 60, 140) ground with a white frame, a sun and green
// hills, as JPEG bytes; empty when it cannot be made.
std::string MakeBanner(int width, int height);

// Fills the stub with the demo's notice, sites, pictures and program, a community member and
// the advertising page "/ad/mivo_ad.html" with its banner "/ad/mivo_ad.jpg".
void SeedDemo(WebDatabaseStub& stub);

}  // namespace mivotest
