#pragma once

#include <QImage>
#include <QMap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <memory>

class QPainter;
class CxSkinButton;
class CStaticEx;

// The skin object of one bar. A bar owns one subclass named after it (CTitlebarDlgBmp,
// CBottombarDlgBmp, CLeftbarDlgBmp, CRightbarDlgBmp, CPropertyTitleBmp) as a member and calls:
//   1. LoadSkin(owner, "/TitleBar_config.ini", ctx.skinFolder, ctx.programDirectory) from its
//      initialisation (loads the images, sizes and moves the owner to (0,0) with MainWindow_Size,
//      then runs the subclass's CreateControls);
//   2. PaintBackground(painter, size()) from the owner's paintEvent;
//   3. Button(id) / Button("Close") / InfoText("TimeInfo") to reach the controls it created.
// A subclass implements CreateControls with CreateTitleButton / CreateButton / CreateInfoText:
//   class CTitlebarDlgBmp : public CLoadBmp {
//       void CreateControls() override {
//           CreateTitleButton("Close", SkinKey::kMainButtons, 1134); ...
//       }
//   };
// The created controls are children of the owner (Qt deletes them with it); the skin object keeps
// guarded pointers only. A failed image load shows one warning per skin file (SkinWarning.h) and the
// bar goes on with what it has. GUI thread only.
class CLoadBmp {
public:
    CLoadBmp() = default;
    virtual ~CLoadBmp();
    CLoadBmp(const CLoadBmp&) = delete;
    CLoadBmp& operator=(const CLoadBmp&) = delete;

    // Remember owner and names, load the images, apply MainWindow_Size, create the controls.
    // skinFileName is e.g. "/TitleBar_config.ini"; programDirectory ends with '/' (may be empty
    // when skinFolder is absolute).
    void LoadSkin(QWidget* owner, const QString& skinFileName, const QString& skinFolder,
                  const QString& programDirectory);

    // Paints Background (or BackImage_Up) for a client of clientSize, stretching the one-pixel
    // column/row at the expand point when the client is larger than the skin. Nothing without image.
    void PaintBackground(QPainter& painter, const QSize& clientSize) const;

    // The part [left, right) x [top, bottom) of source (rect as ParseSkinRect makes it); a null image
    // when the source is null or the rectangle is empty. Parts outside the source stay transparent.
    static QImage CropBitmap(const QImage& source, const QRect& rect);

    // The title bar hands in its ExpandPoint_Pos after LoadSkin; the default is the skin's centre.
    void SetExpandPoint(const QPoint& point) { m_expandPoint = point; }
    QPoint ExpandPoint() const { return m_expandPoint; }

    // MainWindow_Size (0 x 0 when missing).
    QSize SkinSize() const { return m_skinSize; }
    // Full path of the skin file and of an image named in it.
    QString SkinFilePath() const;
    QString ImagePath(const QString& fileName) const;

    // Controls created by CreateControls, by command id or by skin name; nullptr when unknown.
    CxSkinButton* Button(int id) const;
    CxSkinButton* Button(const QString& name) const;
    CStaticEx* InfoText(const QString& name) const;

    QWidget* Owner() const { return m_owner; }
    const QImage& BackImageUp() const { return m_backImageUp; }
    const QImage& BackImageOver() const { return m_backImageOver; }
    const QImage& BackImageDown() const { return m_backImageDown; }
    const QImage& BackImageDisable() const { return m_backImageDisable; }
    const QImage& BackgroundImage() const { return m_background; }
    const QImage& ButtonImage() const { return m_buttonImage; }

protected:
    // Subclasses create their controls here; called once at the end of LoadSkin.
    virtual void CreateControls() = 0;

    // Generic button: state images cut from ButtonImage at N_UpPosition.. when the sheet was loaded,
    // else from the four background images at N_Position. Visible child of the owner with that id.
    CxSkinButton* CreateButton(const QString& name, const QString& section, int id);
    // Title-bar button: N_IsVisible decides the rectangle (empty when false); N_Up.. are image files
    // (a missing file gives an empty image, no message).
    CxSkinButton* CreateTitleButton(const QString& name, const QString& section, int id);
    // Coloured text (CStaticEx, control id 65535) from N_IsVisible, N_Position, N_BackColor,
    // N_TextColor, N_BackValide.
    CStaticEx* CreateInfoText(const QString& name, const QString& section);

private:
    QWidget* Parent();
    void LoadImages();
    void ReadWindowSize();
    bool LoadOne(const QString& key, QImage& into, int maxLength);
    void ApplyTexts(CxSkinButton* button, const QString& name, const QString& section) const;
    CxSkinButton* MakeButton(const QString& name, int id, const QRect& rect, const QImage& normal,
                             const QImage& pressed, const QImage& hover, const QImage& disabled);

    QString m_programDirectory;
    QString m_skinFileName;
    QString m_skinFolder;
    QImage m_backImageUp;
    QImage m_backImageOver;
    QImage m_backImageDown;
    QImage m_backImageDisable;
    QImage m_background;
    QImage m_buttonImage;
    QPointer<QWidget> m_owner;
    QSize m_skinSize;
    QPoint m_expandPoint;
    QMap<int, QPointer<CxSkinButton>> m_buttonsById;
    QMap<QString, QPointer<CxSkinButton>> m_buttonsByName;
    QMap<QString, QPointer<CStaticEx>> m_texts;
    std::unique_ptr<QWidget> m_holder;  // parent of the controls when LoadSkin got no owner
};
