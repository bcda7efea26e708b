// The demo's screen content: a WRD script that writes coloured text, draws boxes and lines and
// switches palettes in time with the waltz; the picture it shows; and the song's notes.
// Narrow literals are compiled to Shift-JIS, the text encoding of all three files.
#include "tools/demogen/DemoScreen.h"

#include <cmath>

#include "tests/support/MagEncoder.h"

namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

}  // namespace

std::string MakeWrdScript() {
    // Every line is one step (one measure by default); a line ending in ";" runs with the next.
    return JoinLines({
        "@STARTUP@TCLS()@GON(1)@TON(1)",
        "@COLOR(33)@LOCATE(2,5);",
        "Ｍｅｌｏｄｒｉｘ デモ「夕暮れのワルツ」",
        "@COLOR(37)@LOCATE(4,5);",
        "WRD スクリプトが曲に合わせて",
        "@LOCATE(5,5);",
        "画面に文字と図形を描きます。",
        "@GLINE(8,8,631,391,14,1,0)",
        "@COLOR(32)@LOCATE(7,5);",
        "緑の文字、;",
        "@COLOR(36);",
        "水色の文字、;",
        "@COLOR(31);",
        "赤い文字。",
        "@GLINE(40,120,330,120,5,0,0)@GLINE(40,164,200,188,13,2,4)",
        "@COLOR(35)@LOCATE(9,5);",
        "パレットを切り替えます……",
        "@PAL(#1,000,113,426,C48,F82,FD4,8AE,FFF,253,493,248,57C,642,C22,0CC,888)",
        "@FADE(0,1)@COLOR(36)@LOCATE(10,5);",
        "夕焼けの色になりました。",
        "@WMODE(23)@COLOR(37)@LOCATE(13,5);",
        "・ＭＩＤＩ と ＷＲＤ",
        "@LOCATE(14,5);",
        "・ＷＡＶＥ と ＭＰ３",
        "@LOCATE(15,5);",
        "・ＭＡＧ 画像",
        "@WMODE(0)@FADE(1,0)@COLOR(33)@LOCATE(17,5);",
        "元の色に戻りました。",
        "@GLINE(40,280,330,280,14,0,0)",
        "@COLOR(37)@LOCATE(20,5);",
        "おしまい。またね！",
    });
}

std::vector<std::uint8_t> MakeSunsetMag() {
    MagImage image;
    image.xStart = 352;
    image.xEnd = 352 + 255;
    image.yStart = 200;
    image.yEnd = 200 + 159;
    image.comment = "Melodrix demo\x1A";
    // black, night blue, violet, rose, orange, gold, sky, white, pine, grass, deep water, water,
    // earth, red, cyan, gray
    image.rgb = {{{0, 0, 0},
                  {17, 17, 102},
                  {102, 34, 136},
                  {204, 68, 136},
                  {238, 136, 34},
                  {255, 221, 68},
                  {136, 170, 238},
                  {255, 255, 255},
                  {34, 85, 51},
                  {68, 153, 51},
                  {34, 68, 153},
                  {85, 119, 204},
                  {102, 68, 34},
                  {204, 34, 34},
                  {0, 204, 204},
                  {136, 136, 136}}};
    const int width = 256, height = 160;
    image.rows.assign(height, std::vector<std::uint8_t>(width, 0));
    const double sunX = 150, sunY = 92, sunR = 26;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t c;
            // Sky bands from night to orange, with a two-pixel dither where bands meet.
            const int band = (y + ((x + y) % 2) * 3) / 18;
            static const std::uint8_t kSky[] = {1, 2, 3, 4, 4, 5};
            c = kSky[band < 6 ? band : 5];
            const double dx = x - sunX, dy = y - sunY;
            if (dx * dx + dy * dy < sunR * sunR) {
                c = dy < -10 ? 5 : 4;
            }
            const double hill = 100 + 12 * std::sin(x / 23.0) + 6 * std::sin(x / 7.0 + 1.0);
            if (y > hill) {
                c = (x / 6 + y / 5) % 5 == 0 ? 8 : 9;
            }
            if (y >= 122) {
                // Water, with the sun's broken reflection.
                c = ((y / 3) % 2) ? 10 : 11;
                if (std::fabs(x - sunX) < 24 - (y - 122) / 2 && (x + y / 3) % 4 < 2) {
                    c = 5;
                }
            }
            if (x == 0 || y == 0 || x == width - 1 || y == height - 1) {
                c = 7;
            }
            image.rows[y][x] = c;
        }
    }
    return EncodeMag(image);
}

std::string MakeCompanionText() {
    return JoinLines({
        "Melodrix デモ曲「夕暮れのワルツ」",
        "",
        "この曲は Melodrix のために作ったデモです。",
        "三拍子のワルツで、十六小節あります。",
        "",
        "WRD 表示を開くと、曲に合わせて次のことが起こります。",
        "  ・色つきの文字が一行ずつ表示されます。",
        "  ・枠と線と塗りつぶした箱が描かれます。",
        "  ・パレットが夕焼けの色に切り替わり、また元に戻ります。",
        "  ・右下には MAG 形式の夕焼けの絵が表示されます。",
        "",
        "リストのほかの曲は、和音から合成した WAVE と MP3 です。",
    });
}
