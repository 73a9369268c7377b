#include "app/slot_view.h"

#include <QDateTime>
#include <QImage>

#include "frontend/game_saves.h"
#include "saves/thumbnail.h"

namespace shirakaba {

QString SlotTexts::title(SaveSlot slot) {
  switch (slot.kind) {
    case SaveSlot::Quick: return tr("Quick save");
    case SaveSlot::Auto: return tr("Autosave");
    case SaveSlot::Numbered: break;
  }
  return tr("Slot %1").arg(slot.number);
}

QString SlotTexts::inSentence(SaveSlot slot) {
  switch (slot.kind) {
    case SaveSlot::Quick: return tr("the quick slot");
    case SaveSlot::Auto: return tr("the autosave");
    case SaveSlot::Numbered: break;
  }
  return tr("slot %1").arg(slot.number);
}

QString SlotTexts::playTime(int64_t ms) {
  const int64_t seconds = ms > 0 ? ms / 1000 : 0;
  return QStringLiteral("%1:%2:%3")
      .arg(seconds / 3600)
      .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString SlotTexts::day(int day, const std::string& partOfDay) {
  if (day <= 0) return tr("Before a new game");
  if (partOfDay.empty()) return tr("Day %1").arg(day);
  return tr("Day %1, %2").arg(day).arg(QString::fromStdString(partOfDay));
}

QString SlotTexts::savedAt(int64_t msSinceEpochUtc) {
  return QDateTime::fromMSecsSinceEpoch(msSinceEpochUtc).toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

SlotView describeSlot(const SaveSlots& saveSlots, SaveSlot slot) {
  SlotView view;
  view.slot = slot;
  view.title = SlotTexts::title(slot);
  if (!saveSlots.exists(slot)) return view;
  const Result<SaveInfo> info = saveSlots.info(slot);
  if (!info) {
    view.state = SlotView::State::Unreadable;
    view.problem = QString::fromStdString(withoutPath(info.error(), saveSlots.pathOf(slot)));
    return view;
  }
  view.state = SlotView::State::Filled;
  view.day = SlotTexts::day(info->day, info->partOfDay);
  view.pageLine = QString::fromStdString(info->pageLine);
  view.savedAt = SlotTexts::savedAt(info->savedAt);
  view.savedAtMs = info->savedAt;
  view.playTime = SlotTexts::playTime(info->playTimeMs);
  const std::vector<uint8_t>& png = info->thumbnailPng;
  if (!hasThumbnailSize(png)) return view;
  const QImage image = QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
  if (!image.isNull()) view.thumbnail = QPixmap::fromImage(image);
  return view;
}

}  // namespace shirakaba
