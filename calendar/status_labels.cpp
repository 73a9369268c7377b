#include "calendar/status_labels.h"

namespace shirakaba {

const char* const TimeLabels[7] = {"", " 朝", "午前", " 昼", "午後", " 夜", "深夜"};
const char* const MarkLabels[5] = {"×", "△", "－", "○", "◎"};
const char* const GradeLabels[5] = {"", "優", "良", "可", "不可"};
const char* const JobNames[5] = {"***", "料理", "掃除", "家事", "作法"};

const int32_t JobSkillTable[5][5] = {
    {0, 0, 0, 0, 0},
    {0, 0, 2, 1, 0},  // 料理
    {0, 1, 0, 0, 2},  // 掃除
    {0, 2, 1, 0, 0},  // 家事
    {0, 0, 0, 2, 1},  // 作法
};

const char* TimeLabel(int slot) { return slot >= 1 && slot <= 6 ? TimeLabels[slot] : ""; }
const char* MarkLabel(int mark) { return mark >= -2 && mark <= 2 ? MarkLabels[mark + 2] : ""; }
const char* GradeLabel(int grade) { return grade >= 1 && grade <= 4 ? GradeLabels[grade] : ""; }
const char* JobName(int job) { return job >= 0 && job <= 4 ? JobNames[job] : ""; }

}  // namespace shirakaba
