<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-FileCopyrightText: 2026 The Quilvane developers -->
<!-- SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- Qt's own texts that the window can show, in the words of Greek desktops: the context menus of
     the entry box and of the two result boxes. Debian ships no Greek translation of Qt. -->
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
</TS>
