#include "window/FrmSearchControls.h"

#include "platform/forms/Container.h"

#include <QIcon>

#include <QWidget>
#include <algorithm>
#include <limits>

using namespace platform;

namespace {

QImage picture(const char *file)
{
    return QImage(QStringLiteral(":/pictures/") + QLatin1String(file));
}

// The window colour of the desktop the pictures were drawn for: they fill the tabs' cut-off
// corners and the main background with it, to blend into the window. Here the window has the
// desktop's own colours, so those pixels take the window's colour of the moment.
constexpr QRgb DesignedWindowColour = 0xFFECE9D8;

QFont verdana(qreal pointSize, bool bold)
{
    // Debian has no Verdana; asking for it lets fontconfig pick the closest sans face.
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace

FrmSearchControls::FrmSearchControls(const BrowserFactory &browsers)
    : browserLookup(browsers(&frmSearch, QStringLiteral("browserLookup"), 0, true))
{
    defineControls();
    stackControls();
    orderTabStops();
    describeForAssistiveTechnology();
}

void FrmSearchControls::defineControls()
{
    frmSearch.setCaption(QStringLiteral("Velnor - Quillet Lookup"));
    frmSearch.setClientSize(ClientWidth, ClientHeight);
    frmSearch.setFont(verdana(8.25, false));
    // The installed theme icon has every size, for HiDPI screens; the built-in one is 32 px.
    frmSearch.setWindowIcon(QIcon::fromTheme(QStringLiteral("org.quillet.Lookup"),
                                             QIcon(QStringLiteral(":/pictures/icon.png"))));
    frmSearch.setPicture(picture("background-blue.bmp"));

    Label1.setGeometry(120, 120, 2535, 255);
    Label1.setCaption(QStringLiteral("What is the domain name?"));
    Label1.setBackStyle(Label::Opaque);

    txtLookUp.setGeometry(2520, 90, 2535, 285);
    txtLookUp.setTabIndex(1);

    cmdSearch.setGeometry(5160, 120, 1455, 255);
    cmdSearch.setCaption(QStringLiteral("Look up"));
    cmdSearch.setTabIndex(2);

    browserLookup(0).setGeometry(120, 1440, 5775, 4455);
    browserLookup(0).setTabIndex(3);

    Label &caption0 = lbPreFix(0);
    caption0.setGeometry(840, 1080, 1815, 255);
    caption0.setCaption(QStringLiteral("Velnor"));
    caption0.setAlignment(Label::Center);
    caption0.setBackStyle(Label::Transparent);
    caption0.setFont(verdana(9.75, true));
    // The caption lies on a tab picture, whose light blue stays under a dark palette too.
    caption0.setForeColor(Qt::black);

    fraSetup.setGeometry(0, 0, 6735, 855);
    fraSetup.setCaption(QStringLiteral("Setup"));
    fraSetup.setTabIndex(5);
    fraSetup.setVisible(false);

    lstPreFix.setGeometry(480, 1440, 1935, 3375);
    lstPreFix.setTabIndex(6);
    for (const char *suffix : {".info", ".biz", ".name", ".mobile", ".is", ".eu", ".uk.com"})
        lstPreFix.AddItem(QLatin1String(suffix));

    lstPreFixUse.setGeometry(4080, 1440, 1935, 3375);
    lstPreFixUse.setTabIndex(7);
    for (const char *suffix : {".co.uk", ".com", ".org", ".org.uk", ".net"})
        lstPreFixUse.AddItem(QLatin1String(suffix));

    Label2.setGeometry(480, 1080, 2055, 255);
    Label2.setCaption(QStringLiteral("Domain pre-fixes"));
    Label3.setGeometry(4080, 1080, 2175, 255);
    Label3.setCaption(QStringLiteral("Domain pre-fixes to use"));

    const struct {
        CommandButton &button;
        float left, top, width, height;
        int tabIndex;
        const char *caption;
    } buttons[] = {
        {cmdAdd, 480, 4920, 1935, 255, 10, "Add >"},
        {cmdRemove, 4080, 4920, 1935, 255, 11, "< Remove"},
        {cmdAddAll, 480, 5280, 1935, 255, 12, "Add All >>"},
        {cmdRemoveAll, 4080, 5280, 1935, 255, 13, "<< Remove All"},
        {cmdCreateNew, 480, 5880, 1935, 255, 14, "+ Create New +"},
        {cmdDone, 4080, 5640, 1935, 495, 15, "Done"},
        {cmdPreFixSetup, 5160, 480, 1455, 255, 16, "Pre-fix Setup"},
    };
    for (const auto &b : buttons) {
        b.button.setGeometry(b.left, b.top, b.width, b.height);
        b.button.setTabIndex(b.tabIndex);
        b.button.setCaption(QLatin1String(b.caption));
    }

    Label4.setGeometry(240, 360, 4695, 255);
    Label4.setCaption(QStringLiteral("Select which pre-fixes you want to search on"));
    Label4.setFont(verdana(8.25, true));

    imgLeft.setGeometry(120, 960, 540, 360);
    imgLeft.setPicture(picture("arrow-left.bmp"));
    imgRight.setGeometry(9240, 960, 540, 360);
    imgRight.setPicture(picture("arrow-right.bmp"));
    imgTab(0).setGeometry(840, 960, 1830, 360);
    imgTab(0).setPicture(picture("tab.bmp"));
    imgCurrent(0).setGeometry(840, 960, 1830, 360);
    imgCurrent(0).setPicture(picture("tab-current.bmp"));

    imgBG.setStretch(true);
    imgBG.setGeometry(0, 1320, 990, 495);
    imgBG.setPicture(picture("background-blue.bmp"));
    imgMainBG.setStretch(true);
    imgMainBG.setGeometry(0, 0, 1050, 735);
    imgMainBG.setPicture(picture("background-main.bmp"));
    for (Image *image : {&imgLeft, &imgRight, &imgTab(0), &imgCurrent(0), &imgMainBG})
        image->setKeyColour(DesignedWindowColour);

    for (auto [line, x1, x2] :
         {std::tuple{&lineLeft, 4320.0f, 0.0f}, {&lineRight, 6120.0f, 10080.0f}}) {
        line->setX1(x1);
        line->setY1(1320);
        line->setX2(x2);
        line->setY2(1320);
        line->setBorderWidth(2);
        // The strip's base line joins the tabs' black outlines, under a dark palette too.
        line->setBorderColor(Qt::black);
    }

    tmrMove.setInterval(1);
    tmrMove.setEnabled(false);
}

void FrmSearchControls::stackControls()
{
    // Each list runs front to back; raising its members from the back leaves that order.
    const std::initializer_list<Control *> windowLayers[] = {
        {&fraSetup, &cmdPreFixSetup, &browserLookup(0), &cmdSearch, &txtLookUp},
        {&imgRight, &imgLeft, &lbPreFix(0), &lineRight, &lineLeft, &imgCurrent(0), &imgBG, &Label1,
         &imgMainBG, &imgTab(0)},
        {&cmdDone, &cmdCreateNew, &cmdRemoveAll, &cmdAddAll, &cmdRemove, &cmdAdd, &lstPreFixUse,
         &lstPreFix},
        {&Label4, &Label3, &Label2},
    };
    for (const auto &frontToBack : windowLayers) {
        for (auto it = std::rbegin(frontToBack); it != std::rend(frontToBack); ++it)
            (*it)->ZOrder(0);
    }
}

void FrmSearchControls::orderTabStops()
{
    std::vector<WindowedControl *> stops = {
        &txtLookUp, &cmdSearch, &browserLookup(0), &lstPreFix,    &lstPreFixUse, &cmdAdd,
        &cmdRemove, &cmdAddAll, &cmdRemoveAll,     &cmdCreateNew, &cmdDone,      &cmdPreFixSetup};
    std::ranges::sort(stops, {}, &WindowedControl::TabIndex);
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1]->widget(), stops[i]->widget());
}

void FrmSearchControls::describeForAssistiveTechnology()
{
    // The pictures that act as controls are painted, so they are named here; the buttons'
    // captions already name them.
    imgLeft.setAccessibleRole(QAccessible::Button);
    imgLeft.setAccessibleName(QStringLiteral("Scroll tabs left"));
    imgRight.setAccessibleRole(QAccessible::Button);
    imgRight.setAccessibleName(QStringLiteral("Scroll tabs right"));
    // A tab is named by its caption, the suffix it shows. The caption is part of the tab, not
    // a second object beside it, so a screen reader announces each tab once.
    imgTab.setAccessible(QAccessible::PageTab, [this](Index i) { return lbPreFix(i).Caption(); });
    for (Label *label : {&Label1, &Label2, &Label3, &Label4})
        label->setAccessibleRole(QAccessible::StaticText);

    // The painted labels in front of the text box and the lists say what they hold.
    txtLookUp.widget()->setAccessibleName(Label1.Caption());
    lstPreFix.widget()->setAccessibleName(Label2.Caption());
    lstPreFixUse.widget()->setAccessibleName(Label3.Caption());
}

QRectF FrmSearchControls::stripRows() const
{
    const float top = imgTab(0).Top();
    const float bottom = lbPreFix(0).Top() + lbPreFix(0).Height();
    return QRectF(0, top, std::numeric_limits<float>::max(), bottom - top);
}
