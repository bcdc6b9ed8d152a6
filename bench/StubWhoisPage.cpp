#include "StubWhoisPage.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

namespace StubWhoisPage {

namespace {

const char *const kWords[] = {"registrar", "domain", "status",   "transfer", "server", "record",
                              "contact",   "abuse",  "privacy",  "renewal",  "expiry", "name",
                              "dnssec",    "update", "customer", "service",  "policy", "protected"};

QByteArray sentence(int seed, int words)
{
    QByteArray text;
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            text += ' ';
        text += kWords[(seed * 7 + i * 13) % std::size(kWords)];
    }
    text[0] = char(std::toupper(text[0]));
    return text + '.';
}

} // namespace

QByteArray pageTemplate()
{
    QByteArray html = "<!doctype html><html lang=en><head><meta charset=utf-8>"
                      "<title>Whois @DOMAIN@</title>"
                      "<link rel=icon href=\"data:,\">"
                      "<link rel=stylesheet href=\"/static/whois.css\">"
                      "<script src=\"/static/widget.js\" defer></script></head><body>"
                      "<header><img src=\"/static/logo.png\" width=240 height=60 alt=\"\">"
                      "<nav>";
    for (int i = 0; i < 40; ++i)
        html += "<a href=\"/section" + QByteArray::number(i) + "\">Section " +
                QByteArray::number(i) + "</a> ";
    html += "</nav><form><input name=q value=\"@DOMAIN@\"><button>Whois</button></form>"
            "<div id=ticker class=ticker>Checking @DOMAIN@</div></header><main>"
            "<h1>Whois record for @DOMAIN@</h1><table class=record>";
    for (int i = 0; i < 120; ++i) {
        html += "<tr><th>" + sentence(i, 2) + "</th><td>" + sentence(i + 3, 9) + "</td></tr>";
    }
    html += "</table>";
    for (int block = 0; block < 18; ++block) {
        html += "<div class=ad id=ad" + QByteArray::number(block) + ">Advertisement " +
                sentence(block, 6) + "</div><section><h2>" + sentence(block, 3) + "</h2>";
        for (int p = 0; p < 8; ++p)
            html += "<p>" + sentence(block * 11 + p, 40) + "</p>";
        html += "</section>";
    }
    html += "<h2>Raw record</h2><pre>";
    for (int line = 0; line < 340; ++line)
        html += "   " + sentence(line, 2) + ": @DOMAIN@ " + sentence(line + 5, 8) + "\n";
    html += "</pre><ul class=related>";
    for (int i = 0; i < 150; ++i)
        html += "<li><a href=\"/related" + QByteArray::number(i) + ".example\">related" +
                QByteArray::number(i) + ".example</a></li>";
    html += "</ul></main><footer>" + sentence(99, 30) + "</footer></body></html>\n";
    return html;
}

QByteArray styleSheet()
{
    QByteArray css = "body{font:14px/1.4 sans-serif;margin:0;color:#222;background:#fafafa}"
                     "header{background:#234;color:#fff;padding:8px}"
                     "nav a{color:#cde;margin-right:6px}"
                     ".ticker{font-weight:bold;padding:4px;background:#ffe}"
                     "table.record{border-collapse:collapse;margin:8px}"
                     "table.record th,table.record td{border:1px solid #ccc;padding:2px 6px}"
                     ".ad{height:90px;margin:12px;border:1px dashed #999;background:#eef}"
                     "pre{background:#f4f4f4;padding:8px;overflow:auto}"
                     "ul.related{columns:4}";
    for (int i = 0; i < 200; ++i)
        css += ".rule" + QByteArray::number(i) + "{margin:" + QByteArray::number(i % 9) +
               "px;padding:" + QByteArray::number(i % 5) + "px}";
    return css;
}

QByteArray image()
{
    QImage picture(240, 60, QImage::Format_RGB32);
    picture.fill(QColor(0x22, 0x33, 0x44));
    QPainter painter(&picture);
    for (int x = 0; x < 240; x += 12)
        painter.fillRect(x, (x * 7) % 50, 10, 10, QColor::fromHsv((x * 3) % 360, 160, 220));
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}

QByteArray script()
{
    // What ad rotators and live widgets do: change the page several times a second; a page
    // for a name that starts with "still" keeps still, so that idle figures show the
    // program's own wake-ups.
    return "(function () {\n"
           "  if (/^\\/still/.test(location.pathname)) return;\n"
           "  var n = 0;\n"
           "  var ticker = document.getElementById('ticker');\n"
           "  var ads = document.querySelectorAll('.ad');\n"
           "  setInterval(function () {\n"
           "    n++;\n"
           "    ticker.textContent = 'Checked ' + n + ' times at ' + new Date().toISOString();\n"
           "    var ad = ads[n % ads.length];\n"
           "    ad.style.backgroundColor = 'hsl(' + (n * 37 % 360) + ',60%,85%)';\n"
           "    ad.textContent = 'Advertisement ' + n;\n"
           "  }, 200);\n"
           "})();\n";
}

} // namespace StubWhoisPage
