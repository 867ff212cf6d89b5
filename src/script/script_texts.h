// The script's fixed texts as GBK bytes: labels, separators, action fields,
// and the status texts that recording and playback both read.
#pragma once

namespace qm::script {

// Field labels: each exactly 6 bytes.
inline constexpr char LabelHorizontal[] = "\xCB\xAE\xC6\xBD\xA3\xBA";  // 水平：
inline constexpr char LabelVertical[] = "\xB4\xB9\xD6\xB1\xA3\xBA";  // 垂直：
inline constexpr char LabelMouse[] = "\xCA\xF3\xB1\xEA\xA3\xBA";  // 鼠标：
inline constexpr char LabelDelay[] = "\xD1\xD3\xCA\xB1\xA3\xBA";  // 延时：

// Separators.
inline constexpr char FieldSeparator[] = "\xA3\xBB";  // "；" A3 BB
inline constexpr char LineSeparator[] = "\r\n";

// Action fields (field 3, label included).
inline constexpr char ActionLeftPress[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD7\xF3\xBC\xFC\xB0\xB4\xCF\xC2";  // 鼠标：鼠标左键按下
inline constexpr char ActionLeftRelease[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD7\xF3\xBC\xFC\xB5\xAF\xC6\xF0";  // 鼠标：鼠标左键弹起
inline constexpr char ActionLeftClick[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD7\xF3\xBC\xFC\xB5\xA5\xBB\xF7";  // 鼠标：鼠标左键单击
inline constexpr char ActionRightPress[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD3\xD2\xBC\xFC\xB0\xB4\xCF\xC2";  // 鼠标：鼠标右键按下
inline constexpr char ActionRightRelease[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD3\xD2\xBC\xFC\xB5\xAF\xC6\xF0";  // 鼠标：鼠标右键弹起
inline constexpr char ActionRightClick[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD3\xD2\xBC\xFC\xB5\xA5\xBB\xF7";  // 鼠标：鼠标右键单击
inline constexpr char ActionMiddlePress[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD6\xD0\xBC\xFC\xB0\xB4\xCF\xC2";  // 鼠标：鼠标中键按下
inline constexpr char ActionMiddleRelease[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD6\xD0\xBC\xFC\xB5\xAF\xC6\xF0";  // 鼠标：鼠标中键弹起
inline constexpr char ActionMiddleClick[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD6\xD0\xBC\xFC\xB5\xA5\xBB\xF7";  // 鼠标：鼠标中键单击
inline constexpr char ActionDoubleClick[] = "\xCA\xF3\xB1\xEA\xA3\xBA\xCA\xF3\xB1\xEA\xD7\xF3\xBC\xFC\xCB\xAB\xBB\xF7";  // 鼠标：鼠标左键双击

// Status texts (the caption of 透明标签7). Run reads StatusRecording back as
// the recording flag.
inline constexpr char StatusNotRecorded[] = "\xC7\xEB\xCF\xC8\xC2\xBC\xD6\xC6\xBD\xC5\xB1\xBE\xA3\xA1";  // 请先录制脚本！
inline constexpr char StatusRecording[] = "\xD5\xFD\xD4\xDA\xC2\xBC\xD6\xC6\xA3\xA1";  // 正在录制！
inline constexpr char StatusRecorded[] = "\xC2\xBC\xD6\xC6\xCD\xEA\xB1\xCF\xA3\xA1";  // 录制完毕！
inline constexpr char StatusRunPrefix[] = "\xD5\xFD\xD4\xDA\xD4\xCB\xD0\xD0\xB5\xDA";  // "正在运行第" + N + "次"
inline constexpr char StatusRunSuffix[] = "\xB4\xCE";  // 次
inline constexpr char StatusRunDone[] = "\xD4\xCB\xD0\xD0\xCD\xEA\xB1\xCF\xA3\xA1";  // 运行完毕！

// The refusal of Run while recording, and the message box caption.
inline constexpr char MessageFinishRecording[] = "\xC7\xEB\xCF\xC8\xBD\xE1\xCA\xF8\xC2\xBC\xD6\xC6\xA3\xA1";  // 请先结束录制！
inline constexpr char MessageCaption[] = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：

}  // namespace qm::script
