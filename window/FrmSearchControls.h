#pragma once

#include "platform/forms/CommandButton.h"
#include "platform/forms/ControlArray.h"
#include "platform/forms/Form.h"
#include "platform/forms/Frame.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Line.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/Timer.h"
#include "platform/forms/WebBrowser.h"

// The lookup window as designed: every control with its place, caption, font, picture,
// tab order and stacking order, the default suffix lists, and the window's own state.
// The handlers reach the controls through their names here.
class FrmSearchControls {
public:
    explicit FrmSearchControls(const platform::BrowserFactory &browsers);

    // The window's client area as designed, before it is maximized.
    static constexpr float ClientWidth = 10365;
    static constexpr float ClientHeight = 7875;

    platform::Form frmSearch;
    platform::Label Label1{&frmSearch, QStringLiteral("Label1")};
    platform::TextBox txtLookUp{&frmSearch, QStringLiteral("txtLookUp")};
    platform::CommandButton cmdSearch{&frmSearch, QStringLiteral("cmdSearch")};
    platform::ControlArray<platform::WebBrowser> browserLookup;
    platform::ControlArray<platform::Label> lbPreFix{
        std::make_unique<platform::Label>(&frmSearch, QStringLiteral("lbPreFix"), 0)};
    platform::Frame fraSetup{&frmSearch, QStringLiteral("fraSetup")};
    platform::ListBox lstPreFix{fraSetup.panel(), QStringLiteral("lstPreFix")};
    platform::ListBox lstPreFixUse{fraSetup.panel(), QStringLiteral("lstPreFixUse")};
    platform::Label Label2{fraSetup.panel(), QStringLiteral("Label2")};
    platform::Label Label3{fraSetup.panel(), QStringLiteral("Label3")};
    platform::CommandButton cmdAdd{fraSetup.panel(), QStringLiteral("cmdAdd")};
    platform::CommandButton cmdRemove{fraSetup.panel(), QStringLiteral("cmdRemove")};
    platform::CommandButton cmdAddAll{fraSetup.panel(), QStringLiteral("cmdAddAll")};
    platform::CommandButton cmdRemoveAll{fraSetup.panel(), QStringLiteral("cmdRemoveAll")};
    platform::CommandButton cmdCreateNew{fraSetup.panel(), QStringLiteral("cmdCreateNew")};
    platform::CommandButton cmdDone{fraSetup.panel(), QStringLiteral("cmdDone")};
    platform::CommandButton cmdPreFixSetup{&frmSearch, QStringLiteral("cmdPreFixSetup")};
    platform::Label Label4{fraSetup.panel(), QStringLiteral("Label4")};
    platform::Image imgLeft{&frmSearch, QStringLiteral("imgLeft")};
    platform::Image imgRight{&frmSearch, QStringLiteral("imgRight")};
    platform::ControlArray<platform::Image> imgTab{
        std::make_unique<platform::Image>(&frmSearch, QStringLiteral("imgTab"), 0)};
    platform::ControlArray<platform::Image> imgCurrent{
        std::make_unique<platform::Image>(&frmSearch, QStringLiteral("imgCurrent"), 0)};
    platform::Image imgBG{&frmSearch, QStringLiteral("imgBG")};
    platform::Image imgMainBG{&frmSearch, QStringLiteral("imgMainBG")};
    platform::Line lineLeft{&frmSearch, QStringLiteral("lineLeft")};
    platform::Line lineRight{&frmSearch, QStringLiteral("lineRight")};
    platform::Timer tmrMove;

    // The tab selected last; only tab selection writes it.
    platform::Index currentTab = 0;

    // The tab strip's rows, across the whole window however wide it grows: where the wheel
    // shifts the strip and its context menu opens.
    QRectF stripRows() const;

private:
    void defineControls();
    void stackControls();
    void orderTabStops();
    void describeForAssistiveTechnology();
};
