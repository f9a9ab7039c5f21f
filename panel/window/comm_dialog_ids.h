/* The communication settings dialog: its resource id and the ids of its controls. Read by the
   resource script as well as by C++, so plain preprocessor definitions only. */
#ifndef PANEL_WINDOW_COMM_DIALOG_IDS_H
#define PANEL_WINDOW_COMM_DIALOG_IDS_H

#define kDialogCommSettings 111

#define kCtlBaudRate 1051     /* drop-down list of the ten rates */
#define kCtlDataBits7 1052    /* DBits = id - 1045 */
#define kCtlDataBits8 1053
#define kCtlStopBits1 1054    /* SBits = id - 1053 */
#define kCtlStopBits2 1055
#define kCtlParityNone 1056   /* Parity = id - 1056 */
#define kCtlParityOdd 1057
#define kCtlParityEven 1058
#define kCtlComPort1 1059     /* CommPort = id - 1058 */
#define kCtlComPort2 1060
#define kCtlComPort3 1061
#define kCtlComPort4 1062
#define kCtlFlowNone 1063     /* Flow = id - 1063 */
#define kCtlFlowXonXoff 1064
#define kCtlFlowRts 1065
#define kCtlFlowXonRts 1066
#define kCtlIpField1 1211     /* the four parts of Ip */
#define kCtlIpField2 1212
#define kCtlIpField3 1213
#define kCtlIpField4 1214
#define kCtlSocketPort 1215
#define kCtlSerialInterface 1216  /* IFaceType = id - 1216 */
#define kCtlEthernetInterface 1217

#endif
