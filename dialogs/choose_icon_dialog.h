#pragma once
// "Choose icon": the pictures of the phone's folders, /a/mobile/picture/ first, with
// thumbnails that arrive one by one while the dialog stays usable, and "Put an image from
// this computer on the phone...", which puts a local picture into /a/mobile/picture/ and
// chooses it. Without a phone it browses the phone files folder, and cannot put. It knows
// the phone only through PictureFiles; files are chosen through the FileChooser and
// questions asked through the Prompter it is given.
#include <QDialog>
#include <QHash>
#include <QIcon>
#include <QMessageBox>
#include <QString>
#include <deque>
#include <map>
#include <vector>

#include "file_chooser.h"
#include "picture_files.h"
#include "prompter.h"

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quillet::ui {

class ChooseIconDialog : public QDialog {
  Q_OBJECT
 public:
  // The most bytes a picture put on the phone may have: the most the phone link writes
  // as one file (64 KiB less one byte).
  static constexpr qint64 kMaxPutBytes = 65535;
  // Where put pictures go, and the folder shown first.
  static constexpr const char* kPictureFolder = "/a/mobile/picture/";

  // `current` is the icon text of the row, shown chosen when it names a listed picture.
  ChooseIconDialog(PictureFiles& files, FileChooser chooseFile, Prompter& prompter, const QString& current,
                   QWidget* parent = nullptr);

  // The phone path chosen (after OK, a double-click or a put); empty until then.
  const QString& chosenPath() const { return chosen_; }

  void PutImageButtonClick();

 public slots:
  void accept() override;
  void reject() override;

 private:
  void listFiles();
  void showList(Result<std::vector<PictureFile>> files);
  void showFolder();
  void fetchNext();
  void showThumbnail(const QString& path, const Result<QByteArray>& bytes);
  // While a put runs nothing else can be done, and the dialog does not close.
  void setPutting(bool putting);
  bool isListed(const QString& path) const;
  // A box over the dialog, under its title, through the prompter.
  QMessageBox::StandardButton ask(QMessageBox::Icon icon, const QString& text,
                                  QMessageBox::StandardButtons buttons = QMessageBox::Ok);

  PictureFiles& files_;
  FileChooser chooseFile_;
  Prompter& prompter_;
  QString current_;
  QString chosen_;
  bool putting_ = false;
  // The listed pictures by folder ("/a/mobile/picture/"), each in name order.
  std::map<QString, std::vector<PictureFile>> folders_;
  QHash<QString, QListWidgetItem*> shown_;  // the current folder's items by path
  std::deque<QString> waiting_;             // paths whose thumbnail is still to fetch
  QHash<QString, QIcon> thumbnails_;        // fetched once for the whole opening
  bool fetching_ = false;
  unsigned listing_ = 0;  // moves on with every new listing: older answers are dropped

  QLabel* PlaceLabel;
  QComboBox* FolderChooser;
  QListWidget* PictureList;
  QLabel* StateLabel;
  QPushButton* PutImageButton;
  QLabel* PutNote;
  QPushButton* OKButton;
  QPushButton* CancelButton;
};

}  // namespace quillet::ui
