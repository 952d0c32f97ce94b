// Resource identifiers of the Windows program, the only place they are defined. Included by
// setup.rc and by the code.
#ifndef KPX_RESOURCE_H
#define KPX_RESOURCE_H

#define IDI_SETUP 108   /* icon group: 32 x 32 and 16 x 16, 16 colours */
#define IDD_INSTALL 110 /* the install dialog */
#define IDR_PAYLOAD 119 /* the payload archive, resource type "KPX" */

#define IDC_DESTINATION 1000
#define IDC_DESKTOP_ICON 1002
#define IDC_BROWSE 1003
#define IDC_PROGRESS 1005

#endif
