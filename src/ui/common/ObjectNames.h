// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The object names of the windows and their controls. Outside tools and the tests find them
// by these names, which the windows have always had: never rename one. A member of a control
// array carries the name with its index in parentheses, e.g. "optColor(2)" (see indexedName).
namespace kelvor::ObjectNames {

// Windows
inline constexpr char frmMain[] = "frmMain";
inline constexpr char frmSettings[] = "frmSettings";
inline constexpr char frmPrtDlg[] = "frmPrtDlg";
inline constexpr char frmAbout[] = "frmAbout";
inline constexpr char frmPublish[] = "frmPublish";
inline constexpr char frmSchedule[] = "frmSchedule";
inline constexpr char frmChannels[] = "frmChannels";

// frmMain: the control panel
inline constexpr char picControls[] = "picControls";
inline constexpr char Frame2[] = "Frame2";
inline constexpr char Label7[] = "Label7";
inline constexpr char cboMessDauer[] = "cboMessDauer";
inline constexpr char chkAlarm[] = "chkAlarm";
inline constexpr char txtAlarm[] = "txtAlarm";
inline constexpr char chkActive[] = "chkActive";
inline constexpr char optDrawStyle[] = "optDrawStyle";
inline constexpr char optDrawStyleGroup[] = "optDrawStyleGroup";
inline constexpr char cmdReset[] = "cmdReset";
inline constexpr char cmdCLS[] = "cmdCLS";
inline constexpr char lblVal[] = "lblVal";
inline constexpr char lblACDC[] = "lblACDC";
inline constexpr char lblChannelValue[] = "lblChannelValue";  // 1 to 6, no parentheses
inline constexpr char Frame4[] = "Frame4";
inline constexpr char Label6[] = "Label6";
inline constexpr char cboYMin[] = "cboYMin";
inline constexpr char Label8[] = "Label8";
inline constexpr char cboYMax[] = "cboYMax";
inline constexpr char chkAutoScale[] = "chkAutoScale";
inline constexpr char Frame1[] = "Frame1";
inline constexpr char optColor[] = "optColor";
inline constexpr char optColorGroup[] = "optColorGroup";
inline constexpr char Picture2[] = "Picture2";
inline constexpr char Frame3[] = "Frame3";
inline constexpr char Label3[] = "Label3";
inline constexpr char lblAkt[] = "lblAkt";
inline constexpr char Label1[] = "Label1";
inline constexpr char lblStart[] = "lblStart";
inline constexpr char Label5[] = "Label5";
inline constexpr char lblLauf[] = "lblLauf";
inline constexpr char Label4[] = "Label4";
inline constexpr char lblAbbr[] = "lblAbbr";

// frmMain: the plot and its axes
inline constexpr char centralArea[] = "centralArea";
inline constexpr char picScope[] = "picScope";
inline constexpr char lblX[] = "lblX";
inline constexpr char lblY[] = "lblY";
inline constexpr char lblTpP[] = "lblTpP";
inline constexpr char lblZeitEinheit[] = "lblZeitEinheit";
inline constexpr char Line1[] = "Line1";
inline constexpr char Line2[] = "Line2";

// frmMain: the menus (a menu's own window carries the name with "Menu" appended)
inline constexpr char mnuFileMain[] = "mnuFileMain";
inline constexpr char mnuFileMainMenu[] = "mnuFileMainMenu";
inline constexpr char mnuFile[] = "mnuFile";
inline constexpr char mnuFileLoad[] = "mnuFileLoad";
inline constexpr char mnuFileLoadMenu[] = "mnuFileLoadMenu";
inline constexpr char mnuFileSave[] = "mnuFileSave";
inline constexpr char mnuFileSaveMenu[] = "mnuFileSaveMenu";
inline constexpr char mnuPrint[] = "mnuPrint";
inline constexpr char mnuFile2[] = "mnuFile2";
inline constexpr char mnuRecordings[] = "mnuRecordings";
inline constexpr char mnuReview[] = "mnuReview";
inline constexpr char mnuPublish[] = "mnuPublish";
inline constexpr char mnuSchedule[] = "mnuSchedule";
inline constexpr char mnuChannels[] = "mnuChannels";
inline constexpr char mnuEdit[] = "mnuEdit";
inline constexpr char mnuEditMenu[] = "mnuEditMenu";
inline constexpr char mnuCopy[] = "mnuCopy";
inline constexpr char mnuHelp[] = "mnuHelp";
inline constexpr char mnuHelpMenu[] = "mnuHelpMenu";
inline constexpr char mnuInfo[] = "mnuInfo";

// The question about a journal that ended unexpectedly
inline constexpr char cmdJournalLoad[] = "cmdJournalLoad";
inline constexpr char cmdJournalKeep[] = "cmdJournalKeep";

// frmSettings (besides Frame2, Frame3)
inline constexpr char fraPort[] = "fraPort";
inline constexpr char cboPorts[] = "cboPorts";
inline constexpr char lblNoPorts[] = "lblNoPorts";
inline constexpr char txtNetwork[] = "txtNetwork";
inline constexpr char lblNetworkError[] = "lblNetworkError";
inline constexpr char optBPS[] = "optBPS";
inline constexpr char optDevice[] = "optDevice";
inline constexpr char fraMeter[] = "fraMeter";
inline constexpr char cboMeter[] = "cboMeter";

// frmPrtDlg (besides optColor)
inline constexpr char fraDrucker[] = "fraDrucker";
inline constexpr char cboPrinter[] = "cboPrinter";
inline constexpr char lblName[] = "lblName";
inline constexpr char lblTyp[] = "lblTyp";
inline constexpr char lblPort[] = "lblPort";
inline constexpr char cmdSettings[] = "cmdSettings";
inline constexpr char optOri[] = "optOri";
inline constexpr char imgOrientation[] = "imgOrientation";
inline constexpr char imgOri[] = "imgOri";

// frmAbout (besides Label1)
inline constexpr char lblApp[] = "lblApp";
inline constexpr char lblBuild[] = "lblBuild";
inline constexpr char lblLicence[] = "lblLicence";
inline constexpr char frameDev[] = "frameDev";
inline constexpr char cmdCopyHome[] = "cmdCopyHome";

// frmPublish
inline constexpr char chkPublish[] = "chkPublish";
inline constexpr char txtHost[] = "txtHost";
inline constexpr char txtPort[] = "txtPort";
inline constexpr char txtUser[] = "txtUser";
inline constexpr char txtPassword[] = "txtPassword";
inline constexpr char chkTls[] = "chkTls";
inline constexpr char txtCaFile[] = "txtCaFile";
inline constexpr char txtTopic[] = "txtTopic";
inline constexpr char lblPublishState[] = "lblPublishState";

// frmSchedule (besides lblProblem, cmdOK, cmdCancel)
inline constexpr char cboStart[] = "cboStart";
inline constexpr char txtStart[] = "txtStart";
inline constexpr char txtPreTrigger[] = "txtPreTrigger";
inline constexpr char cboStop[] = "cboStop";
inline constexpr char txtStop[] = "txtStop";

// frmChannels: the column heads "lblColumn1" to "lblColumn6"; one control of each name (and
// of cboMeter) per channel, the channel's number appended: "cboSource1" to "cboSource6"
inline constexpr char lblColumn[] = "lblColumn";
inline constexpr char lblChannel[] = "lblChannel";
inline constexpr char cboSource[] = "cboSource";
inline constexpr char cboPort[] = "cboPort";
inline constexpr char cboBaud[] = "cboBaud";
inline constexpr char txtCalc[] = "txtCalc";
// frmChannels: the forms of a calculation, and what keeps OK from closing the dialog
inline constexpr char lblCalcHint[] = "lblCalcHint";
inline constexpr char lblProblem[] = "lblProblem";

// Buttons of the dialogs
inline constexpr char cmdOK[] = "cmdOK";
inline constexpr char cmdCancel[] = "cmdCancel";

// The object name of a control-array member: "name(index)".
template <typename Index>
QString indexedName(const char* name, Index index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// A new control, given its object name.
template <typename Control>
Control* named(Control* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  return control;
}

// The object name of a control in a numbered row: "name" and the number, e.g. "cboPort3".
inline QString numberedName(const char* name, int number) {
  return QLatin1String(name) + QString::number(number);
}

}  // namespace kelvor::ObjectNames
