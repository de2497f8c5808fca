<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-FileCopyrightText: 2026 The Quilvane developers -->
<!-- SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- Qt's own texts that the window and its message boxes can show a user or tell a screen reader,
     in the words of Greek desktops: the context menus of the entry box, of the two result boxes
     and of the log's scroll bar, and the names of the controls' roles and actions. Debian ships
     no Greek translation of Qt. Left in English on purpose: the message boxes' one button, OK;
     and key names such as Ctrl, which some desktops have Qt show beside menu items, stay as
     Greek keyboards print them. -->
<TS version="2.1" language="el_GR">
<context>
    <name>QLineEdit</name>
    <message><source>&amp;Undo</source><translation>&amp;Αναίρεση</translation></message>
    <message><source>&amp;Redo</source><translation>Ακύρωση α&amp;ναίρεσης</translation></message>
    <message><source>Cu&amp;t</source><translation>Αποκο&amp;πή</translation></message>
    <message><source>&amp;Copy</source><translation>Αντι&amp;γραφή</translation></message>
    <message><source>&amp;Paste</source><translation>Επι&amp;κόλληση</translation></message>
    <message><source>Delete</source><translation>Διαγραφή</translation></message>
    <message><source>Select All</source><translation>Επιλογή όλων</translation></message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message><source>&amp;Undo</source><translation>&amp;Αναίρεση</translation></message>
    <message><source>&amp;Redo</source><translation>Ακύρωση α&amp;ναίρεσης</translation></message>
    <message><source>Cu&amp;t</source><translation>Αποκο&amp;πή</translation></message>
    <message><source>&amp;Copy</source><translation>Αντι&amp;γραφή</translation></message>
    <message><source>Copy &amp;Link Location</source><translation>Αντιγραφή θέσης &amp;συνδέσμου</translation></message>
    <message><source>&amp;Paste</source><translation>Επι&amp;κόλληση</translation></message>
    <message><source>Delete</source><translation>Διαγραφή</translation></message>
    <message><source>Select All</source><translation>Επιλογή όλων</translation></message>
</context>
<!-- The submenu that Qt adds to both menus where the keyboard has a right-to-left layout. -->
<context>
    <name>QUnicodeControlCharacterMenu</name>
    <message><source>Insert Unicode control character</source><translation>Εισαγωγή χαρακτήρα ελέγχου Unicode</translation></message>
    <message><source>LRM Left-to-right mark</source><translation>LRM Σήμανση από αριστερά προς τα δεξιά</translation></message>
    <message><source>RLM Right-to-left mark</source><translation>RLM Σήμανση από δεξιά προς τα αριστερά</translation></message>
    <message><source>ZWJ Zero width joiner</source><translation>ZWJ Ενωτής μηδενικού πλάτους</translation></message>
    <message><source>ZWNJ Zero width non-joiner</source><translation>ZWNJ Μη ενωτής μηδενικού πλάτους</translation></message>
    <message><source>ZWSP Zero width space</source><translation>ZWSP Διάστημα μηδενικού πλάτους</translation></message>
    <message><source>LRE Start of left-to-right embedding</source><translation>LRE Αρχή ενσωμάτωσης από αριστερά προς τα δεξιά</translation></message>
    <message><source>RLE Start of right-to-left embedding</source><translation>RLE Αρχή ενσωμάτωσης από δεξιά προς τα αριστερά</translation></message>
    <message><source>LRO Start of left-to-right override</source><translation>LRO Αρχή παράκαμψης από αριστερά προς τα δεξιά</translation></message>
    <message><source>RLO Start of right-to-left override</source><translation>RLO Αρχή παράκαμψης από δεξιά προς τα αριστερά</translation></message>
    <message><source>PDF Pop directional formatting</source><translation>PDF Τέλος μορφοποίησης κατεύθυνσης</translation></message>
    <message><source>LRI Left-to-right isolate</source><translation>LRI Απομόνωση από αριστερά προς τα δεξιά</translation></message>
    <message><source>RLI Right-to-left isolate</source><translation>RLI Απομόνωση από δεξιά προς τα αριστερά</translation></message>
    <message><source>FSI First strong isolate</source><translation>FSI Απομόνωση κατά τον πρώτο ισχυρό χαρακτήρα</translation></message>
    <message><source>PDI Pop directional isolate</source><translation>PDI Τέλος απομόνωσης κατεύθυνσης</translation></message>
</context>
<!-- The log's scroll bar. No box here has a horizontal bar; its words are ready for one that does. -->
<context>
    <name>QScrollBar</name>
    <message><source>Scroll here</source><translation>Κύλιση εδώ</translation></message>
    <message><source>Top</source><translation>Αρχή</translation></message>
    <message><source>Bottom</source><translation>Τέλος</translation></message>
    <message><source>Page up</source><translation>Σελίδα επάνω</translation></message>
    <message><source>Page down</source><translation>Σελίδα κάτω</translation></message>
    <message><source>Scroll up</source><translation>Κύλιση επάνω</translation></message>
    <message><source>Scroll down</source><translation>Κύλιση κάτω</translation></message>
    <message><source>Left edge</source><translation>Αριστερό άκρο</translation></message>
    <message><source>Right edge</source><translation>Δεξί άκρο</translation></message>
    <message><source>Page left</source><translation>Σελίδα αριστερά</translation></message>
    <message><source>Page right</source><translation>Σελίδα δεξιά</translation></message>
    <message><source>Scroll left</source><translation>Κύλιση αριστερά</translation></message>
    <message><source>Scroll right</source><translation>Κύλιση δεξιά</translation></message>
</context>
<!-- The actions a screen reader is offered, by name and description: a button or menu item is
     pressed, a box or button takes the focus, a scroll bar's value goes up or down, a menu item
     with a submenu shows it; a checkable button (none here) would toggle. -->
<context>
    <name>QAccessibleActionInterface</name>
    <message><source>Press</source><translation>Πάτημα</translation></message>
    <message><source>Triggers the action</source><translation>Εκτελεί την ενέργεια</translation></message>
    <message><source>SetFocus</source><translation>Εστίαση</translation></message>
    <message><source>Sets the focus</source><translation>Μεταφέρει την εστίαση εδώ</translation></message>
    <message><source>Increase</source><translation>Αύξηση</translation></message>
    <message><source>Increase the value</source><translation>Αυξάνει την τιμή</translation></message>
    <message><source>Decrease</source><translation>Μείωση</translation></message>
    <message><source>Decrease the value</source><translation>Μειώνει την τιμή</translation></message>
    <message><source>ShowMenu</source><translation>Εμφάνιση μενού</translation></message>
    <message><source>Shows the menu</source><translation>Εμφανίζει το μενού</translation></message>
    <message><source>Toggle</source><translation>Εναλλαγή</translation></message>
    <message><source>Toggles the state</source><translation>Εναλλάσσει την κατάσταση</translation></message>
</context>
<!-- The role names a screen reader asks the program for (on Linux, through AT-SPI), for the roles
     that the window, its message boxes and its menus have, in the words the Greek desktop gives
     the same roles. -->
<context>
    <name>QSpiAccessibleBridge</name>
    <message><source>application</source><translation>εφαρμογή</translation></message>
    <message><source>filler</source><translation>συμπληρωτής</translation></message>
    <message><source>label</source><translation>ετικέτα</translation></message>
    <message><source>text</source><translation>κείμενο</translation></message>
    <message><source>push button</source><translation>πιεζόμενο κουμπί</translation></message>
    <message><source>scroll bar</source><translation>γραμμή κύλισης</translation></message>
    <message><source>alert message</source><translation>ειδοποίηση</translation></message>
    <message><source>panel</source><translation>πίνακας</translation></message>
    <message><source>popup menu</source><translation>αναδυόμενο μενού</translation></message>
    <message><source>menu item</source><translation>αντικείμενο μενού</translation></message>
    <message><source>separator</source><translation>διαχωριστής</translation></message>
</context>
</TS>
