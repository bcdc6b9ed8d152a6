#pragma once

#include <QByteArray>

// The stub service's content: one page template and its three static files.
namespace StubWhoisPage {

inline constexpr char kDomainMark[] = "@DOMAIN@";

// About 100 KB of HTML in which every kDomainMark stands for the domain looked up.
QByteArray pageTemplate();
QByteArray styleSheet();
QByteArray image(); // PNG
QByteArray script();

} // namespace StubWhoisPage
